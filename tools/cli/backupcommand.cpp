// `sonvela-cli backup -o FILE.pmx`: reads the unit's state back and saves the parameter file.
// Whether the file can be written is checked first, so a wrong path costs no read-back.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/model/pmxfile.h"
#include "devicesession.h"

int RunBackupCommand(const QStringList& args) {
    if (args.contains("--all")) {
        return RunBackupAll(args);
    }
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("backup", options.error);
    }
    if (options.rest.size() != 2 || options.rest[0] != "-o") {
        return UsageError("backup", "say where to save with -o FILE.pmx");
    }
    const QString file = options.rest[1];
    const PmxResult writable = CheckParameterFileWritable(file.toStdString());
    if (!writable.ok) {
        return Fail(kExitFailed, QString::fromStdString(writable.error));
    }
    CDeviceSession session(options);
    const int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    const PmxResult saved = SaveParameterFile(session.Model(), file.toStdString());
    if (!saved.ok) {
        return Fail(kExitFailed, QString::fromStdString(saved.error));
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"saved", file}}).toJson();
    } else {
        out << "saved " << file << "\n";
    }
    return kExitOk;
}
