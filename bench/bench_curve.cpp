// The response curve view: one drag step (the band follows the pointer, its response is
// recomputed and the whole view repainted) and a full repaint with the spectrum analyser's 128
// bars, into an image of a 1100 x 300 view at device pixel ratio 1 and 2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <numbers>

#include "core/dsp/spectrum.h"
#include "core/model/audiodata.h"
#include "core/viewmath/curvedrag.h"
#include "gui/curve/drawcurve.h"

namespace {

constexpr int kViewWidth = 1100;
constexpr int kViewHeight = 300;

// A music view with a shaped equaliser, and an image to paint it into.
struct SCurveRig {
    explicit SCurveRig(int ratio)
        : image(kViewWidth * ratio, kViewHeight * ratio, QImage::Format_ARGB32_Premultiplied) {
        image.setDevicePixelRatio(ratio);
        CEQ& eq = model.Music().GetEQ();
        for (int k = 0; k < eq.GetCount(); ++k) {
            eq.GetAt(k).SetGain(static_cast<std::int16_t>(k % 2 == 0 ? 150 : 95));
        }
        view.resize(kViewWidth, kViewHeight);
        view.SetModel(&model);
        view.ShowMusic(0);
        view.ShowBand(3);
    }
    void Paint() {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    CAudioData model;
    CDrawCurve view;
    QImage image;
};

void BM_DragStep(benchmark::State& state) {
    SCurveRig rig(static_cast<int>(state.range(0)));
    CFilter& band = rig.model.Music().GetEQ().GetAt(3);
    const SCurvePoint start = band.m_rcHandle.Centre();
    int step = 0;
    for (auto _ : state) {
        // Back and forth by 40 px both ways: every step changes both indexes.
        const int d = (step++ % 2 == 0) ? 40 : -40;
        const SCurvePoint to{band.m_rcHandle.Centre().x + d, band.m_rcHandle.Centre().y - d};
        benchmark::DoNotOptimize(PointToFD(band, to));
        rig.Paint();
    }
    benchmark::DoNotOptimize(start);
}
BENCHMARK(BM_DragStep)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RepaintWithSpectrum(benchmark::State& state) {
    SCurveRig rig(static_cast<int>(state.range(0)));
    // Tones over the whole band, so that every bar stands.
    std::vector<std::int16_t> buffer(kAnalysisSamples);
    for (int n = 0; n < kAnalysisFrames; ++n) {
        double sample = 0;
        for (int t = 0; t < 40; ++t) {
            const double hz = 30 * std::pow(16000.0 / 30, t / 39.0);
            sample += 600 * std::sin(2 * std::numbers::pi * hz * n / 44100 + t);
        }
        buffer[static_cast<std::size_t>(2 * n)] = static_cast<std::int16_t>(sample);
    }
    SpectrumValues values{};
    AnalyseBuffer(buffer, values);
    rig.view.SetBarCount(kSpectrumBarCount);
    rig.view.SetSpectrumData(values);
    rig.view.SetSpectrumVisible(true);
    for (auto _ : state) {
        rig.Paint();
    }
}
BENCHMARK(BM_RepaintWithSpectrum)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
