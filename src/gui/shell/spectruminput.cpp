#include "gui/shell/spectruminput.h"

#include "capture/capturesettings.h"
#include "gui/curve/drawcurve.h"

CSpectrumInput::CSpectrumInput(CDrawCurve& curve, QObject* parent) : QObject(parent) {
    m_recorder.SetRefreshMode(LoadRefreshMode());
    // The recorder emits on this (the user-interface) thread, where the view takes the values.
    connect(&m_recorder, &CRecorder::SpectrumReady, &curve, [&curve](const SpectrumFrame& frame) {
        curve.SetBarCount(kSpectrumBarCount);
        curve.SetSpectrumData(frame.values);
    });
}

void CSpectrumInput::Open() {
    m_recorder.Open();
}

bool CSpectrumInput::Start() {
    return m_recorder.Start() == RecorderResult::Ok;
}

void CSpectrumInput::SetLiveRefresh(bool bLive) {
    const RefreshMode mode = bLive ? RefreshMode::Live : RefreshMode::PerBuffer;
    m_recorder.SetRefreshMode(mode);
    SaveRefreshMode(mode);
}

bool CSpectrumInput::LiveRefresh() const {
    return m_recorder.GetRefreshMode() == RefreshMode::Live;
}
