// A USB unit with its panel locked disables the main window until it is unlocked; when the unit
// goes away instead (unplugged, or it stops answering) the link is lost and the window is
// usable again.
#include <gtest/gtest.h>

#include <QTest>

#include "gui/shell/unlockdlg.h"
#include "link/linkcontroller.h"
#include "tests/gui/shell/editorrig.h"

namespace {
enum class EGone { Unplugged, Silent };

TEST(LockedUsbUnit, TheWindowIsEnabledAgainWhenTheLinkIsLost) {
    const struct {
        const char* what;
        EGone gone;
    } cases[] = {{"unplugged", EGone::Unplugged}, {"stops answering", EGone::Silent}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EditorRig rig;
        SimOptions options;
        options.lockPassword = "0815";
        ASSERT_EQ(rig.StartUsb(options), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().UnlockDialog() != nullptr; }, 15000));
        ASSERT_FALSE(rig.Window().isEnabled());
        ASSERT_EQ(rig.Status(), "Connected");
        ASSERT_EQ(rig.app->Connection().State().connected, 1);

        if (c.gone == EGone::Unplugged) {
            {
                std::lock_guard lock(rig.hid.mutex);
                rig.hid.deviceAttached = false;
            }
            rig.app->Connection().Controller().OnHidRemoved(rig.hid.path);
        } else {
            rig.usbUnitSilent = true;
        }
        // A silent unit is given up after the idle poll and its five resends (about 7 s).
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return rig.app->Connection().State().connected == 0; }, 15000));
        EXPECT_NE(rig.Status(), "Connected");
        EXPECT_TRUE(rig.Window().isEnabled());
    }
}
}  // namespace
