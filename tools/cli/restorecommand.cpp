// `sonvela-cli restore FILE.pmx [--force]`: checks the parameter file against the ranges the
// pages allow, uploads it and waits for the unit's volume confirmation. The file is read and
// checked before anything is sent, so a bad file changes nothing on the unit; with --force a
// file with values out of range is sent with those values clamped to their ranges.
#include "restorefile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <memory>
#include <optional>
#include <utility>

#include "clicommands.h"
#include "clihelp.h"
#include "core/model/audiodata.h"
#include "core/model/parameterimport.h"
#include "devicesession.h"
#include "link/linkcontroller.h"
#include "rangereport.h"

int ReadRestoreFile(const QString& file, bool force, RestoreFile& restore) {
    restore.path = file;
    CheckedParameterFile checked = ReadCheckedParameterFile(file.toStdString());
    if (!checked.read.ok) {
        return Fail(kExitFailed, QString::fromStdString(checked.read.error));
    }
    restore.bytes = std::move(checked.bytes);
    const std::vector<RangeIssue>& issues = checked.issues;
    restore.clamped = static_cast<int>(issues.size());
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
    return kExitOk;
}

void BeginUpload(CDeviceSession& session, const RestoreFile& restore,
                 std::function<void(int code, const QString& failure)> done) {
    LoadClampedParameterBytes(session.Model(), restore.bytes);
    auto finished = std::make_shared<bool>(false);
    auto finish = [finished, done](int code, const QString& failure) {
        if (!*finished) {
            *finished = true;
            done(code, failure);
        }
    };
    QObject::connect(&session.Controller(), &CLinkController::VolumesConfirmed,
                     [finish] { finish(kExitOk, {}); });
    QObject::connect(&session.Controller(), &CLinkController::LinkLost, [finish](LinkKind) {
        finish(kExitLinkLost, QStringLiteral("the link to the unit was lost"));
    });
    session.Controller().UploadModel();
}

int RunRestoreCommand(const QStringList& args) {
    if (args.contains("--all")) {
        return RunRestoreAll(args);
    }
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("restore", options.error);
    }
    QStringList rest = options.rest;
    const bool force = rest.removeAll("--force") > 0;
    if (rest.size() != 1) {
        return UsageError("restore", "give one parameter file");
    }
    RestoreFile restore;
    int result = ReadRestoreFile(rest[0], force, restore);
    if (result != kExitOk) {
        return result;
    }
    CDeviceSession session(options);
    result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    std::optional<std::pair<int, QString>> uploaded;
    BeginUpload(session, restore,
                [&uploaded](int code, const QString& failure) { uploaded.emplace(code, failure); });
    result = session.WaitFor([&uploaded] { return uploaded.has_value(); });
    if (result != kExitOk) {
        return result;
    }
    if (uploaded->first != kExitOk) {
        return Fail(uploaded->first, uploaded->second);
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"restored", restore.path}, {"clamped", restore.clamped}})
                   .toJson();
    } else {
        out << "restored " << restore.path << "\n";
    }
    return kExitOk;
}
