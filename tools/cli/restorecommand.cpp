// `sonvela-cli restore FILE.pmx [--force]`: checks the parameter file against the ranges the
// pages allow, uploads it and waits for the unit's volume confirmation. The file is read and
// checked before anything is sent, so a bad file changes nothing on the unit; with --force a
// file with values out of range is sent with those values clamped to their ranges.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/model/audiodata.h"
#include "core/model/parameterimport.h"
#include "devicesession.h"
#include "link/linkcontroller.h"
#include "rangereport.h"

int RunRestoreCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("restore", options.error);
    }
    QStringList rest = options.rest;
    const bool force = rest.removeAll("--force") > 0;
    if (rest.size() != 1) {
        return UsageError("restore", "give one parameter file");
    }
    const QString file = rest[0];
    const CheckedParameterFile checked = ReadCheckedParameterFile(file.toStdString());
    if (!checked.read.ok) {
        return Fail(kExitFailed, QString::fromStdString(checked.read.error));
    }
    const std::vector<RangeIssue>& issues = checked.issues;
    if (!issues.empty()) {
        QTextStream err(stderr);
        PrintRangeReport(err, file, issues);
        if (!force) {
            return Fail(
                kExitFailed,
                "nothing was sent; give --force to send the values clamped to their ranges");
        }
        err << "sending the values clamped to their ranges\n" << Qt::flush;
    }

    CDeviceSession session(options);
    int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    LoadCheckedParameterFile(session.Model(), checked);
    bool confirmed = false;
    QObject::connect(&session.Controller(), &CLinkController::VolumesConfirmed,
                     [&confirmed] { confirmed = true; });
    session.Controller().UploadModel();
    result = session.WaitFor([&confirmed] { return confirmed; });
    if (result != kExitOk) {
        return result;
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(
                   QJsonObject{{"restored", file}, {"clamped", static_cast<int>(issues.size())}})
                   .toJson();
    } else {
        out << "restored " << file << "\n";
    }
    return kExitOk;
}
