// `sonvela-cli probe`: finds the unit and prints the link that answered.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "devicesession.h"

int RunProbeCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("probe", options.error);
    }
    if (!options.rest.isEmpty()) {
        return UsageError("probe", "unexpected argument " + options.rest.front());
    }
    CDeviceSession session(options);
    const int result = session.Connect(false);
    if (result != kExitOk) {
        return result;
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"link", session.LinkDescription()}}).toJson();
    } else {
        out << session.LinkDescription() << "\n";
    }
    return kExitOk;
}
