// `sonvela-cli set RECORD.FIELD=VALUE …`: changes fields through the model's setters and lets
// the change-driven sender deliver them. Names as printed by `dump --json`.
#include <QTextStream>

#include "clicommands.h"
#include "core/model/audiodata.h"
#include "devicerecords.h"
#include "devicesession.h"

int RunSetCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return Fail(kExitUsage, options.error);
    }
    if (options.rest.isEmpty()) {
        return Fail(kExitUsage, "usage: set RECORD.FIELD=VALUE ...");
    }
    // Every assignment is checked before connecting: a bad one sends nothing.
    QString error;
    CAudioData scratch;
    for (const QString& assignment : options.rest) {
        if (!SetNamedField(scratch, assignment, &error)) {
            return Fail(kExitUsage, error);
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
    QTextStream(stdout) << "set " << options.rest.size() << " field(s)\n";
    return kExitOk;
}
