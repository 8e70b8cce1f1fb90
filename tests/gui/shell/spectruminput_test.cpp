// The main window's spectrum input: an analysed window from the recorder becomes the curve
// view's bars, and the live refresh choice is saved and taken up by the next start.
#include "gui/shell/spectruminput.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSettings>
#include <QTemporaryDir>

#include "capture/capturesettings.h"
#include "core/model/audiodata.h"
#include "gui/curve/drawcurve.h"

namespace {
TEST(SpectrumInput, AnalysedWindowsBecomeTheCurvesBarsAndTheRefreshChoiceIsKept) {
    QTemporaryDir settingsDir;
    ASSERT_TRUE(settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    CAudioData model;
    CDrawCurve curve;
    // The plot is 600 x 360 at (35, 10); bars are 5 px wide.
    curve.resize(645, 390);
    curve.SetModel(&model);
    curve.SetSpectrumMode(true);
    const auto pixel = [&curve](int x, int y) {
        QImage image(curve.size(), QImage::Format_RGB32);
        curve.render(&image);
        return image.pixel(x, y);
    };
    const QRgb background = qRgb(23, 23, 23);
    const QRgb bar = qRgb(0, 195, 0);

    CSpectrumInput input(curve);
    EXPECT_FALSE(input.LiveRefresh());
    EXPECT_EQ(pixel(632, 360), background);
    // Bar 119, the last inside the plot, is the peak of its values of 96: 96 px high.
    SpectrumFrame frame;
    frame.values.assign(kSpectrumValueCount, 96.0);
    emit input.Recorder().SpectrumReady(frame);
    EXPECT_EQ(pixel(632, 360), bar);
    EXPECT_EQ(pixel(632, 260), background);

    input.SetLiveRefresh(true);
    EXPECT_EQ(input.Recorder().GetRefreshMode(), RefreshMode::Live);
    EXPECT_EQ(LoadRefreshMode(), RefreshMode::Live);
    EXPECT_TRUE(CSpectrumInput(curve).LiveRefresh());
    input.SetLiveRefresh(false);
    EXPECT_EQ(LoadRefreshMode(), RefreshMode::PerBuffer);
    EXPECT_FALSE(CSpectrumInput(curve).LiveRefresh());
}
}  // namespace
