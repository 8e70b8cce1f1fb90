// The spectrum display's audio input in the main window: the capture library's recorder on the
// default audio input, each analysed window handed to the curve view as its bars. The refresh
// mode is taken from the user's settings and saved when the user changes it.
#pragma once

#include <QObject>

#include "capture/recorder.h"
#include "gui/pages/spectrumrecorder.h"

class CDrawCurve;

class CSpectrumInput : public QObject, public ISpectrumRecorder {
    Q_OBJECT
public:
    explicit CSpectrumInput(CDrawCurve& curve, QObject* parent = nullptr);

    void Open() override;
    bool IsOpen() const override { return m_recorder.IsOpen(); }
    bool IsRecording() const override { return m_recorder.IsRecording(); }
    bool Start() override;
    void Stop() override { m_recorder.Stop(); }
    void Close() override { m_recorder.Close(); }
    void SetLiveRefresh(bool bLive) override;
    bool LiveRefresh() const override;

    CRecorder& Recorder() { return m_recorder; }

private:
    CRecorder m_recorder;
};
