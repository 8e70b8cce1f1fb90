// `sonvela-cli probe`: finds the unit and prints the link that answered.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "devicesession.h"

int RunProbeCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty() || !options.rest.isEmpty()) {
        return Fail(kExitUsage,
                    options.error.isEmpty() ? "probe takes no arguments" : options.error);
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
