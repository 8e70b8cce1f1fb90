// The spectrum analyser's recorder: captures the default audio input and hands analysed
// windows to the curve view.
//
// Closed --Open--> opened --Start--> recording --Stop--> opened --Close--> closed.
// Open picks the default input device and asks it for the recorder's format (44100 Hz, 16-bit,
// stereo unless SetFormat chose another); a device that cannot give it is taken in the format it
// prefers, and the captured sound is converted to 16-bit stereo at 44100 Hz. Captured frames
// are cut into 8192-frame windows (one per 16384-frame buffer, or 31.5 overlapping windows a
// second in live mode) and analysed on a thread of the recorder's own; each result comes back
// to the recorder's thread and leaves as SpectrumReady, a copy the receiver may keep. Stop and
// Close wait for a running analysis; a window analysed after Stop is dropped, and a receiver
// destroyed in the meantime is simply no longer called.
#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QObject>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "capture/spectrumframe.h"
#include "capture/spectrumworker.h"
#include "core/dsp/analysiswindows.h"
#include "core/dsp/pcmconvert.h"

class QAudioSource;
class CCaptureSink;

enum class RecorderResult {
    Ok = 0,
    NoDevice = 1,       // no audio input device
    FormatRefused = 2,  // the device offers no format the recorder can convert
    DeviceError = 3,    // the device could not be started
    NotOpen = 4,        // Start before Open
};

// The message the channel selector shows (caption "Prompt") when the analyser cannot be
// switched on: "No audio device was found" in the current language; empty for Ok.
std::string RecorderResultText(RecorderResult result);

class CRecorder : public QObject {
    Q_OBJECT
public:
    explicit CRecorder(QObject* parent = nullptr);
    // Stops and closes.
    ~CRecorder() override;

    // Opens the default input device. Already open: writes the trace line and changes nothing.
    RecorderResult Open();
    // Starts capturing. Not open: writes the trace line and returns NotOpen.
    RecorderResult Start();
    // Open and recording: stops the device, drops waiting windows and waits for a running
    // analysis; the recorder stays open.
    void Stop();
    // Stops if recording, ends the analysis thread and releases the device and every buffer.
    void Close();

    bool IsOpen() const { return m_bOpened; }
    bool IsRecording() const { return m_bRecording; }

    // The format asked of the device at the next Open: 8, 16 or 32 bits (integer samples),
    // one or more channels, a positive rate. Only while closed; false (nothing changed)
    // otherwise or for values out of range.
    bool SetFormat(int bits, int channels, int rate);
    // The format the open device delivers (before conversion).
    PcmFormat DeviceFormat() const { return m_deviceFormat; }

    // How often a picture comes; may change at any time (collecting starts over).
    void SetRefreshMode(RefreshMode mode);
    RefreshMode GetRefreshMode() const { return m_windows.Mode(); }

    // Pictures sent, and sound frames captured (after conversion), since the recorder was
    // opened.
    quint64 FramesDelivered() const { return m_nFramesDelivered; }
    quint64 FramesCaptured() const { return m_nFramesCaptured; }

signals:
    // One analysed window, emitted on the recorder's thread.
    void SpectrumReady(const SpectrumFrame& frame);
    // The device stopped by itself (for example it was unplugged); the recorder is open and no
    // longer recording.
    void CaptureEnded();

private:
    void OnCaptured(std::span<const std::byte> bytes);
    void OnAnalysed(const SpectrumFrame& frame, quint64 session);
    void OnSourceState(QAudio::State state);
    void EndSession();

    QAudioFormat m_requested;
    PcmFormat m_deviceFormat;
    std::unique_ptr<CCaptureSink> m_pSink;
    std::unique_ptr<QAudioSource> m_pSource;
    std::unique_ptr<CPcmConverter> m_pConverter;
    std::vector<std::int16_t> m_converted;
    CAnalysisWindows m_windows;
    CAnalysisWindows::WindowReady m_submit;
    CSpectrumWorker m_worker;
    bool m_bOpened = false;
    bool m_bRecording = false;
    quint64 m_nSession = 0;  // windows of an earlier recording session are dropped
    quint64 m_nFramesDelivered = 0;
    quint64 m_nFramesCaptured = 0;
};
