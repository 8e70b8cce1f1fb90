// `sonvela-cli backup -o FILE.pmx`: reads the unit's state back and saves the parameter file.
#include <QTextStream>

#include "clicommands.h"
#include "core/model/pmxfile.h"
#include "devicesession.h"

int RunBackupCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return Fail(kExitUsage, options.error);
    }
    if (options.rest.size() != 2 || options.rest[0] != "-o") {
        return Fail(kExitUsage, "usage: backup -o FILE.pmx");
    }
    CDeviceSession session(options);
    const int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    const PmxResult saved = SaveParameterFile(session.Model(), options.rest[1].toStdString());
    if (!saved.ok) {
        return Fail(kExitFailed, QString::fromStdString(saved.error));
    }
    QTextStream(stdout) << "saved " << options.rest[1] << "\n";
    return kExitOk;
}
