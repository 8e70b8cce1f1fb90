// `sonvela-cli set RECORD.FIELD=VALUE …`: changes fields through the model's setters and lets
// the change-driven sender deliver them. Names as printed by `dump --json`.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/model/audiodata.h"
#include "devicerecords.h"
#include "devicesession.h"

int RunSetCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("set", options.error);
    }
    if (options.rest.isEmpty()) {
        return UsageError("set", "say what to set as RECORD.FIELD=VALUE");
    }
    // Every assignment is checked before connecting: a bad one sends nothing.
    QString error;
    CAudioData scratch;
    for (const QString& assignment : options.rest) {
        if (!SetNamedField(scratch, assignment, &error)) {
            return UsageError("set", error);
        }
    }
    CDeviceSession session(options);
    int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    for (const QString& assignment : options.rest) {
        SetNamedField(session.Model(), assignment, &error);
    }
    result = session.WaitForChangesDelivered();
    if (result != kExitOk) {
        return result;
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"set", static_cast<int>(options.rest.size())}}).toJson();
    } else {
        out << "set " << options.rest.size()
            << (options.rest.size() == 1 ? " field\n" : " fields\n");
    }
    return kExitOk;
}
