// `sonvela-cli recall-mode N` and `save-mode N NAME`: the unit's stored modes, numbered 1-7 as
// the editor shows them.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "devicesession.h"
#include "link/linkcontroller.h"

namespace {
const QString kModeNumberProblem = QStringLiteral("the mode number is 1 to 7, not %1");

// The mode number 1..7 as an index 0..6, or -1.
int ModeIndex(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= 1 && number <= kModeCount ? number - 1 : -1;
}
}  // namespace

int RunRecallModeCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("recall-mode", options.error);
    }
    if (options.rest.size() != 1) {
        return UsageError("recall-mode", "give the mode number");
    }
    const int mode = ModeIndex(options.rest[0]);
    if (mode < 0) {
        return UsageError("recall-mode", kModeNumberProblem.arg(options.rest[0]));
    }
    CDeviceSession session(options);
    int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    bool done = false;
    QObject::connect(&session.Controller(), &CLinkController::ReadBackCompleted,
                     [&done](bool) { done = true; });
    session.Controller().LoadMode(mode);
    result = session.WaitFor([&done] { return done; });
    if (result != kExitOk) {
        return result;
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"recalled", mode + 1}}).toJson();
    } else {
        out << "recalled mode " << mode + 1 << "\n";
    }
    return kExitOk;
}

int RunSaveModeCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return UsageError("save-mode", options.error);
    }
    if (options.rest.size() != 2) {
        return UsageError("save-mode", "give the mode number and its name");
    }
    const int mode = ModeIndex(options.rest[0]);
    if (mode < 0) {
        return UsageError("save-mode", kModeNumberProblem.arg(options.rest[0]));
    }
    const std::string name = options.rest[1].toStdString();
    if (name.size() > static_cast<std::size_t>(kModeNameLength)) {
        return UsageError(
            "save-mode",
            QStringLiteral("the mode name is longer than %1 characters").arg(kModeNameLength));
    }
    CDeviceSession session(options);
    int result = session.Connect();
    if (result != kExitOk) {
        return result;
    }
    CAudioData& model = session.Model();
    StringToFixedField(model.Image().ModeName(mode), name);
    model.System().SetSelectedMode(mode);
    model.System().SetSaveMode(static_cast<std::int16_t>(mode));
    result = session.WaitForChangesDelivered();
    if (result != kExitOk) {
        return result;
    }
    QTextStream out(stdout);
    if (options.bJson) {
        out << QJsonDocument(QJsonObject{{"saved", mode + 1}, {"name", options.rest[1]}}).toJson();
    } else {
        out << "saved mode " << mode + 1 << " as \"" << options.rest[1] << "\"\n";
    }
    return kExitOk;
}
