// `sonvela-cli scan`, `backup --all DIR` and `restore --all FILE`: every unit of a block of
// addresses, found by a scan of the unit port.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "devicesession.h"
#include "restorefile.h"
#include "venue.h"

namespace {

// The options every venue command shares, and what is left of the arguments.
struct VenueArgs {
    VenueRequest request;
    QStringList rest;
    QString error;
};

VenueArgs ParseVenueArgs(const char* command, const QStringList& args) {
    VenueArgs parsed;
    parsed.request.command = command;
    QStringList rest = args;
    rest.removeAll("--all");
    parsed.error = TakeVenueRange(rest, parsed.request);
    if (!parsed.error.isEmpty()) {
        return parsed;
    }
    const DeviceOptions options = ParseDeviceOptions(rest);
    parsed.error = options.error;
    parsed.request.password = options.password;
    parsed.request.bJson = options.bJson;
    parsed.rest = options.rest;
    return parsed;
}

QString QuotedModeNames(const QJsonArray& names) {
    QStringList quoted;
    for (const QJsonValue& name : names) {
        quoted << '"' + name.toString() + '"';
    }
    return quoted.join(", ");
}

}  // namespace

int RunScanCommand(const QStringList& args) {
    VenueArgs parsed = ParseVenueArgs("scan", args);
    if (parsed.error.isEmpty() && !parsed.request.password.isNull()) {
        parsed.error = QStringLiteral("scan reads a locked unit without its password");
    }
    if (parsed.error.isEmpty() && !parsed.rest.isEmpty()) {
        parsed.error = "unexpected argument " + parsed.rest.front();
    }
    if (!parsed.error.isEmpty()) {
        return UsageError("scan", parsed.error);
    }
    parsed.request.bLockedIsAnswer = true;
    parsed.request.action = [](CDeviceSession& session, bool locked, UnitOutcome& outcome,
                               const std::function<void()>& finish) {
        QJsonArray names;
        for (int mode = 0; mode < kModeCount; ++mode) {
            // The unit pads a name to its 20 characters with spaces.
            names.append(QString::fromStdString(
                             BytesToString(session.Model().Image().ModeName(mode), kModeNameLength))
                             .trimmed());
        }
        outcome.detail = {{"locked", locked}, {"modes", names}};
        outcome.text = QStringLiteral("panel %1  modes %2")
                           .arg(locked ? "locked" : "unlocked", QuotedModeNames(names));
        finish();
    };
    return RunVenue(parsed.request);
}

int RunBackupAll(const QStringList& args) {
    VenueArgs parsed = ParseVenueArgs("backup", args);
    if (parsed.error.isEmpty() && parsed.rest.size() != 1) {
        parsed.error = QStringLiteral("give the folder the files go to");
    }
    if (!parsed.error.isEmpty()) {
        return UsageError("backup", parsed.error);
    }
    const QString dir = parsed.rest.front();
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable()) {
        return Fail(kExitFailed, QStringLiteral("%1 is not a folder that can be written").arg(dir));
    }
    parsed.request.action = [dir](CDeviceSession& session, bool, UnitOutcome& outcome,
                                  const std::function<void()>& finish) {
        const QString file = QDir(dir).filePath(outcome.address + ".pmx");
        const PmxResult saved = SaveParameterFile(session.Model(), file.toStdString());
        if (saved.ok) {
            outcome.text = "saved " + file;
            outcome.detail = {{"saved", file}};
        } else {
            outcome.code = kExitFailed;
            outcome.failure = QString::fromStdString(saved.error);
        }
        finish();
    };
    return RunVenue(parsed.request);
}

int RunRestoreAll(const QStringList& args) {
    VenueArgs parsed = ParseVenueArgs("restore", args);
    const bool force = parsed.rest.removeAll("--force") > 0;
    if (parsed.error.isEmpty() && parsed.rest.size() != 1) {
        parsed.error = QStringLiteral("give one parameter file");
    }
    if (!parsed.error.isEmpty()) {
        return UsageError("restore", parsed.error);
    }
    RestoreFile restore;
    const int read = ReadRestoreFile(parsed.rest.front(), force, restore);
    if (read != kExitOk) {
        return read;
    }
    parsed.request.action = [&restore](CDeviceSession& session, bool, UnitOutcome& outcome,
                                       const std::function<void()>& finish) {
        BeginUpload(session, restore,
                    [&outcome, &restore, finish](int code, const QString& failure) {
                        outcome.code = code;
                        outcome.failure = failure;
                        outcome.text = "restored " + QFileInfo(restore.path).fileName();
                        outcome.detail = {{"restored", restore.path}, {"clamped", restore.clamped}};
                        finish();
                    });
    };
    return RunVenue(parsed.request);
}
