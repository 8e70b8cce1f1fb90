#include "curvegallery.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/dsp/spectrum.h"
#include "core/model/audiodata.h"
#include "gui/curve/drawcurve.h"

namespace {

constexpr int kViewWidth = 1100;
constexpr int kViewHeight = 300;
constexpr int kCaptionHeight = 22;

void Defaults(CAudioData& /*model*/) {}

// A music equaliser with a low shelf-like lift, a cut and a peak.
void ShapedMusic(CAudioData& model) {
    CEQ& eq = model.Music().GetEQ();
    eq.GetAt(0).SetGain(160);  // +8 dB at 31.9 Hz
    eq.GetAt(2).SetGain(95);   // -5 dB at 191 Hz
    eq.GetAt(2).SetQ(30);
    eq.GetAt(5).SetGain(150);  // +6 dB at 3780 Hz
}

void BypassedMusic(CAudioData& model) {
    ShapedMusic(model);
    model.Music().SetEqBypass(1);
}

// Main out with its high-pass at 135 Hz and its low-pass at 6350 Hz, and a cut in the middle.
void MainCrossovers(CAudioData& model) {
    CEQ& eq = model.MainOut(0).GetEQ();
    eq.GetHighPass()->SetXoverFreq(100);
    eq.GetLowPass()->SetXoverFreq(300);
    eq.GetAt(1).SetGain(90);
}

// A mixture of tones from 30 Hz to 16 kHz falling in level with frequency, as music would, over
// a little noise, through the analyser's own arithmetic.
void SyntheticSpectrum(CDrawCurve& view) {
    std::array<std::int16_t, kAnalysisSamples> buffer{};
    constexpr int kTones = 60;
    constexpr double kRate = 44100;
    std::uint32_t seed = 12345;
    // Uniform in [0, 1), the same on every machine.
    const auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1 << 24);
    };
    std::array<double, kTones> phase{};
    for (double& p : phase) {
        p = 2 * std::numbers::pi * random();
    }
    for (int n = 0; n < kAnalysisFrames; ++n) {
        double sample = 5000 * (random() - 0.5);
        for (int t = 0; t < kTones; ++t) {
            const double hz = 30 * std::pow(16000.0 / 30, t / double(kTones - 1));
            const double amplitude = 900 * std::pow(hz / 30, -0.25);
            sample += amplitude * std::sin(2 * std::numbers::pi * hz * n / kRate + phase[t]);
        }
        const auto value = static_cast<std::int16_t>(std::clamp(sample, -32768.0, 32767.0));
        buffer[static_cast<std::size_t>(2 * n)] = value;
        buffer[static_cast<std::size_t>(2 * n + 1)] = value;
    }
    SpectrumValues values{};
    AnalyseBuffer(buffer, values);
    view.SetBarCount(kSpectrumBarCount);
    view.SetSpectrumData(values);
    view.SetSpectrumVisible(true);
}

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

CurveGallery::CurveGallery() {
    setWindowTitle(QStringLiteral("Sonvela response curves"));
    const struct {
        const char* name;
        int kind;
        void (*prepare)(CAudioData&);
    } views[] = {
        {"curve_music", CurveKind(OwnerKind::Music), Defaults},
        {"curve_mic", CurveKind(OwnerKind::Mic), Defaults},
        {"curve_effect", CurveKind(OwnerKind::Effect), Defaults},
        {"curve_mainout", CurveKind(OwnerKind::MainOut), Defaults},
        {"curve_center", CurveKind(OwnerKind::Center), Defaults},
        {"curve_sub", CurveKind(OwnerKind::Sub), Defaults},
        {"curve_band_moved", CurveKind(OwnerKind::Music), ShapedMusic},
        {"curve_crossovers_moved", CurveKind(OwnerKind::MainOut), MainCrossovers},
        {"curve_bypass", CurveKind(OwnerKind::Music), BypassedMusic},
        {"curve_spectrum", CurveKind(OwnerKind::Music), ShapedMusic},
    };
    for (const auto& v : views) {
        CDrawCurve* view = AddView(QString::fromLatin1(v.name), v.kind, v.prepare);
        if (m_states.back().first == QLatin1String("curve_band_moved")) {
            m_dragged = view;
        } else if (m_states.back().first == QLatin1String("curve_spectrum")) {
            SyntheticSpectrum(*view);
        }
    }
    setFixedSize(kViewWidth, static_cast<int>(m_states.size()) * (kViewHeight + kCaptionHeight));
}

CurveGallery::~CurveGallery() = default;

CDrawCurve* CurveGallery::AddView(const QString& name, int kind, void (*prepare)(CAudioData&)) {
    auto& model = m_models.emplace_back(std::make_unique<CAudioData>());
    prepare(*model);
    const int y = static_cast<int>(m_states.size()) * (kViewHeight + kCaptionHeight);
    auto* caption = new QLabel(name, this);
    caption->setGeometry(4, y, kViewWidth - 8, kCaptionHeight);
    auto* view = new CDrawCurve(this);
    view->setGeometry(0, y + kCaptionHeight, kViewWidth, kViewHeight);
    view->SetModel(model.get());
    view->SetChannelKind(kind);
    view->ShowBand(0);
    m_states.emplace_back(name, view);
    return view;
}

void CurveGallery::ApplyPointerStates() {
    if (m_dragged == nullptr) {
        return;
    }
    // Band 4 of the music equaliser from 490 Hz, 0 dB up to about +8 dB and over to about 720 Hz.
    const CFilter& band = m_models[6]->Music().GetEQ().GetAt(3);
    const SCurvePoint c = band.m_rcHandle.Centre();
    const QPoint start(c.x, c.y);
    Send(m_dragged, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    Send(m_dragged, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 10; ++step) {
        Send(m_dragged, QEvent::MouseMove, start + QPoint(6 * step, -6 * step), Qt::NoButton,
             Qt::LeftButton);
    }
    Send(m_dragged, QEvent::MouseButtonRelease, start + QPoint(60, -60), Qt::LeftButton,
         Qt::NoButton);
}
