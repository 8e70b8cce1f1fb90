// `sonvela-cli restore FILE.pmx`: loads the parameter file, uploads it and waits for the unit's
// volume confirmation. The file is loaded before anything is sent, so a bad file changes
// nothing on the unit.
#include <QTextStream>

#include "clicommands.h"
#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "devicesession.h"
#include "link/linkcontroller.h"

int RunRestoreCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return Fail(kExitUsage, options.error);
    }
    if (options.rest.size() != 1) {
        return Fail(kExitUsage, "usage: restore FILE.pmx");
    }
    const std::string path = options.rest[0].toStdString();
    {
        CAudioData check;
        const PmxResult loaded = LoadParameterFile(check, path);
        if (!loaded.ok) {
            return Fail(kExitFailed, QString::fromStdString(loaded.error));
        }
    }
    CDeviceSession session(options);
    int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    const PmxResult loaded = LoadParameterFile(session.Model(), path);
    if (!loaded.ok) {
        return Fail(kExitFailed, QString::fromStdString(loaded.error));
    }
    bool confirmed = false;
    QObject::connect(&session.Controller(), &CLinkController::VolumesConfirmed,
                     [&confirmed] { confirmed = true; });
    session.Controller().UploadModel();
    result = session.WaitFor([&confirmed] { return confirmed; });
    if (result != kExitOk) {
        return result;
    }
    QTextStream(stdout) << "restored " << options.rest[0] << "\n";
    return kExitOk;
}
