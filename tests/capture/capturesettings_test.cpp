#include "capture/capturesettings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

namespace {

// The choice survives a new settings object on the same file (the next run); anything but a
// saved "live" reads as one picture per buffer.
TEST(CaptureSettings, RefreshModeIsRememberedAndDefaultsToPerBuffer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Sonvela.conf"));
    {
        const QSettings fresh(file, QSettings::IniFormat);
        EXPECT_EQ(LoadRefreshMode(fresh), RefreshMode::PerBuffer);
    }
    {
        QSettings run(file, QSettings::IniFormat);
        SaveRefreshMode(run, RefreshMode::Live);
    }
    {
        QSettings next(file, QSettings::IniFormat);
        EXPECT_EQ(LoadRefreshMode(next), RefreshMode::Live);
        SaveRefreshMode(next, RefreshMode::PerBuffer);
    }
    {
        QSettings next(file, QSettings::IniFormat);
        EXPECT_EQ(LoadRefreshMode(next), RefreshMode::PerBuffer);
        next.setValue(QStringLiteral("spectrum/refresh"), QStringLiteral("sometimes"));
        EXPECT_EQ(LoadRefreshMode(next), RefreshMode::PerBuffer);
    }
}

}  // namespace
