#include "capture/recorder.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>
#include <optional>

#include "capture/capturelog.h"
#include "capture/capturesink.h"
#include "core/common/labeltable.h"

namespace {

// "No audio device was found" in the label table.
constexpr int kNoDeviceLabelGroup = 11;
constexpr int kNoDeviceLabelSlot = 19;

// Captured sound reaches the recorder in pieces of 20 ms.
constexpr int kFragmentsPerSecond = 50;

std::optional<PcmFormat> ToPcmFormat(const QAudioFormat& format) {
    PcmFormat pcm;
    switch (format.sampleFormat()) {
        case QAudioFormat::UInt8:
            pcm.sample = PcmSampleFormat::UInt8;
            break;
        case QAudioFormat::Int16:
            pcm.sample = PcmSampleFormat::Int16;
            break;
        case QAudioFormat::Int32:
            pcm.sample = PcmSampleFormat::Int32;
            break;
        case QAudioFormat::Float:
            pcm.sample = PcmSampleFormat::Float;
            break;
        default:
            return std::nullopt;
    }
    pcm.channels = format.channelCount();
    pcm.rate = format.sampleRate();
    if (pcm.channels < 1 || pcm.rate <= 0) {
        return std::nullopt;
    }
    return pcm;
}

QAudioFormat CaptureFormat() {
    QAudioFormat format;
    format.setSampleRate(kCaptureRate);
    format.setChannelCount(kCaptureChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

}  // namespace

std::string RecorderResultText(RecorderResult result) {
    return result == RecorderResult::Ok ? std::string{}
                                        : Label(kNoDeviceLabelGroup, kNoDeviceLabelSlot);
}

CRecorder::CRecorder(QObject* parent)
    : QObject(parent),
      m_requested(CaptureFormat()),
      m_submit(
          [this](std::span<const std::int16_t> window) { m_worker.Submit(window, m_nSession); }),
      m_worker([this](SpectrumFrame frame, quint64 session) {
          // On the analysis thread: back to the recorder's thread. Stop and Close wait for this
          // call, and an event still queued when the recorder is destroyed is discarded.
          QMetaObject::invokeMethod(
              this, [this, frame = std::move(frame), session] { OnAnalysed(frame, session); },
              Qt::QueuedConnection);
      }) {
    qRegisterMetaType<SpectrumFrame>();
}

CRecorder::~CRecorder() {
    Close();
}

bool CRecorder::SetFormat(int bits, int channels, int rate) {
    if (m_bOpened || channels < 1 || rate <= 0) {
        return false;
    }
    QAudioFormat format;
    switch (bits) {
        case 8:
            format.setSampleFormat(QAudioFormat::UInt8);
            break;
        case 16:
            format.setSampleFormat(QAudioFormat::Int16);
            break;
        case 32:
            format.setSampleFormat(QAudioFormat::Int32);
            break;
        default:
            return false;
    }
    format.setChannelCount(channels);
    format.setSampleRate(rate);
    m_requested = format;
    return true;
}

void CRecorder::SetRefreshMode(RefreshMode mode) {
    m_windows.SetMode(mode);
}

RecorderResult CRecorder::Open() {
    if (m_bOpened) {
        qCDebug(lcCapture, "Device Already Opened. Please Stop Recorder before attempting to Open");
        return RecorderResult::Ok;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        qCInfo(lcCapture, "No audio input device");
        return RecorderResult::NoDevice;
    }
    QAudioFormat format = m_requested;
    if (!device.isFormatSupported(format)) {
        format = device.preferredFormat();
    }
    const std::optional<PcmFormat> pcm = ToPcmFormat(format);
    if (!pcm) {
        qCInfo(lcCapture) << "The audio input offers no usable format:" << device.description();
        return RecorderResult::FormatRefused;
    }
    qCDebug(lcCapture).nospace() << "Capturing from " << device.description() << ", "
                                 << format.sampleRate() << " Hz, " << format.channelCount()
                                 << " channels, sample format " << format.sampleFormat();
    m_deviceFormat = *pcm;
    m_pConverter = std::make_unique<CPcmConverter>(*pcm);
    m_converted.reserve(2 * kCaptureBufferFrames);
    // The sink is the recorder's child: its one QIODevice.
    m_pSink = std::make_unique<CCaptureSink>(
        [this](std::span<const std::byte> bytes) { OnCaptured(bytes); }, this);
    m_pSink->open(QIODevice::WriteOnly);
    m_pSource = std::make_unique<QAudioSource>(device, format);
    // The device hands over what it has captured in fragments of this size; left to itself it
    // may collect seconds of sound before the first hand-over.
    m_pSource->setBufferSize(PcmBytesPerFrame(*pcm) * pcm->rate / kFragmentsPerSecond);
    connect(m_pSource.get(), &QAudioSource::stateChanged, this, &CRecorder::OnSourceState);
    m_worker.Start();
    m_nFramesDelivered = 0;
    m_nFramesCaptured = 0;
    m_bOpened = true;
    return RecorderResult::Ok;
}

RecorderResult CRecorder::Start() {
    if (!m_bOpened) {
        qCDebug(lcCapture, "Device not Opened. Please open device before attempting to Start");
        return RecorderResult::NotOpen;
    }
    if (m_bRecording) {
        return RecorderResult::Ok;
    }
    m_pConverter->Reset();
    m_windows.Reset();
    m_bRecording = true;
    m_pSource->start(m_pSink.get());
    if (m_pSource->error() != QAudio::NoError) {
        qCInfo(lcCapture) << "The audio input could not be started:" << m_pSource->error();
        m_pSource->stop();
        EndSession();
        return RecorderResult::DeviceError;
    }
    return RecorderResult::Ok;
}

void CRecorder::Stop() {
    if (!m_bOpened || !m_bRecording) {
        return;
    }
    m_pSource->stop();
    EndSession();
}

void CRecorder::Close() {
    Stop();
    if (!m_bOpened) {
        return;
    }
    // The thread is gone before the buffers and the device are.
    m_worker.Stop();
    m_pSource.reset();
    m_pSink.reset();
    m_pConverter.reset();
    m_converted = {};
    m_bOpened = false;
}

void CRecorder::EndSession() {
    m_bRecording = false;
    ++m_nSession;
    m_worker.Flush();
}

void CRecorder::OnCaptured(std::span<const std::byte> bytes) {
    if (!m_bRecording) {
        return;
    }
    m_converted.clear();
    m_pConverter->Convert(bytes, m_converted);
    m_nFramesCaptured += m_converted.size() / kCaptureChannels;
    m_windows.Push(m_converted, m_submit);
}

void CRecorder::OnAnalysed(const SpectrumFrame& frame, quint64 session) {
    if (!m_bRecording || session != m_nSession) {
        return;
    }
    ++m_nFramesDelivered;
    emit SpectrumReady(frame);
}

void CRecorder::OnSourceState(QAudio::State state) {
    if (state != QAudio::StoppedState || !m_bRecording || m_pSource->error() == QAudio::NoError) {
        return;
    }
    qCInfo(lcCapture) << "The audio input stopped:" << m_pSource->error();
    EndSession();
    emit CaptureEnded();
}
