// `sonvela-cli recall-mode N` and `save-mode N NAME`: the unit's stored modes, numbered 1-7 as
// the editor shows them.
#include <QTextStream>

#include "clicommands.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "devicesession.h"
#include "link/linkcontroller.h"

namespace {
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
        return Fail(kExitUsage, options.error);
    }
    const int mode = options.rest.size() == 1 ? ModeIndex(options.rest[0]) : -1;
    if (mode < 0) {
        return Fail(kExitUsage, "usage: recall-mode N (N = 1-7)");
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
    QTextStream(stdout) << "recalled mode " << mode + 1 << "\n";
    return kExitOk;
}

int RunSaveModeCommand(const QStringList& args) {
    const DeviceOptions options = ParseDeviceOptions(args);
    if (!options.error.isEmpty()) {
        return Fail(kExitUsage, options.error);
    }
    const int mode = options.rest.size() == 2 ? ModeIndex(options.rest[0]) : -1;
    if (mode < 0) {
        return Fail(kExitUsage, "usage: save-mode N NAME (N = 1-7, NAME at most 20 characters)");
    }
    const std::string name = options.rest[1].toStdString();
    if (name.size() > static_cast<std::size_t>(kModeNameLength)) {
        return Fail(kExitUsage, "char Len error");
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
    QTextStream(stdout) << "saved mode " << mode + 1 << " as \"" << options.rest[1] << "\"\n";
    return kExitOk;
}
