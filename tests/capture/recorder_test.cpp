// The recorder against a private PulseAudio server whose default input is a 1 kHz sine, and
// without any server at all.
#include "capture/recorder.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "core/common/labeltable.h"
#include "tests/support/nearestbar.h"
#include "tests/support/soundserver.h"
#include "tests/support/spin.h"
#include "tests/support/tracerecorder.h"

namespace {

constexpr double kToneHz = 1000;
const QString kCaptureCategory = QStringLiteral("sonvela.capture");

// The tone peaks in the bar labelled nearest to it (1020 Hz); bars covering nothing within
// 540 Hz of it stay below a tenth of it.
void ExpectToneBars(const SpectrumFrame& frame) {
    ASSERT_EQ(frame.values.size(), static_cast<std::size_t>(kSpectrumValueCount));
    const int nearest = NearestLabelledBar(kToneHz);
    ASSERT_EQ(kBarFrequencies[nearest], 1020);
    const auto tallest = std::max_element(frame.bars.begin(), frame.bars.end());
    EXPECT_EQ(tallest - frame.bars.begin(), nearest);
    const int peak = frame.bars[static_cast<std::size_t>(nearest)];
    EXPECT_GT(peak, 100);
    for (int b = 0; b < kSpectrumBarCount; ++b) {
        const BarRange range = BarFrequencyRange(b);
        if (range.hiHz < kToneHz - 540 || range.loHz > kToneHz + 540) {
            EXPECT_LE(frame.bars[static_cast<std::size_t>(b)], peak / 10) << "bar " << b;
        }
    }
    // The values are the analysis of the same window: the tone's bin leads them too.
    const double toneBin = kToneHz / kHzPerValue;
    const auto top = std::max_element(frame.values.begin(), frame.values.end());
    EXPECT_NEAR(top - frame.values.begin(), toneBin, 1.0);
}

class RecorderSine : public ::testing::Test {
protected:
    // One server for the whole suite: Qt's audio backend connects once per process.
    static void SetUpTestSuite() { s_pServer = std::make_unique<CPrivateSoundServer>(); }
    static void TearDownTestSuite() { s_pServer.reset(); }

    void SetUp() override {
        if (!s_pServer->IsRunning()) {
            GTEST_SKIP() << "No private PulseAudio server could be started here: "
                         << s_pServer->Error().toStdString();
        }
        QObject::connect(&m_recorder, &CRecorder::SpectrumReady,
                         [this](const SpectrumFrame& frame) { m_frames.push_back(frame); });
    }

    // Delivery may begin about a second after the start.
    bool WaitForFrames(std::size_t count) {
        return SpinUntil([&] { return m_frames.size() >= count; }, 10000);
    }

    static std::unique_ptr<CPrivateSoundServer> s_pServer;
    CRecorder m_recorder;
    std::vector<SpectrumFrame> m_frames;
};

std::unique_ptr<CPrivateSoundServer> RecorderSine::s_pServer;

struct CaptureCase {
    const char* name;
    RefreshMode mode;
    int bits, channels, rate;  // asked of the device
    PcmFormat expected;        // what the device gives
};

TEST_F(RecorderSine, ToneShowsInItsBarInEveryModeAndDeviceFormat) {
    const CaptureCase cases[] = {
        {"one picture per buffer",
         RefreshMode::PerBuffer,
         16,
         2,
         44100,
         {PcmSampleFormat::Int16, 2, 44100}},
        {"live", RefreshMode::Live, 16, 2, 44100, {PcmSampleFormat::Int16, 2, 44100}},
        {"32-bit mono at 48 kHz, converted",
         RefreshMode::PerBuffer,
         32,
         1,
         48000,
         {PcmSampleFormat::Int32, 1, 48000}},
    };
    for (const CaptureCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_frames.clear();
        ASSERT_TRUE(m_recorder.SetFormat(c.bits, c.channels, c.rate));
        m_recorder.SetRefreshMode(c.mode);
        ASSERT_EQ(m_recorder.Open(), RecorderResult::Ok);
        EXPECT_EQ(m_recorder.DeviceFormat().sample, c.expected.sample);
        EXPECT_EQ(m_recorder.DeviceFormat().channels, c.expected.channels);
        EXPECT_EQ(m_recorder.DeviceFormat().rate, c.expected.rate);
        ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
        EXPECT_TRUE(m_recorder.IsRecording());
        ASSERT_TRUE(WaitForFrames(3)) << m_frames.size() << " pictures";
        ExpectToneBars(m_frames.back());
        EXPECT_EQ(m_recorder.FramesDelivered(), m_frames.size());
        m_recorder.Close();
        EXPECT_FALSE(m_recorder.IsOpen());
        EXPECT_FALSE(m_recorder.IsRecording());
    }
}

TEST_F(RecorderSine, TraceLinesAndStates) {
    CTraceRecorder trace;
    EXPECT_EQ(m_recorder.Start(), RecorderResult::NotOpen);
    EXPECT_FALSE(m_recorder.IsOpen());
    EXPECT_FALSE(m_recorder.IsRecording());
    EXPECT_EQ(
        trace.LinesOf(kCaptureCategory),
        std::vector<QString>{"Device not Opened. Please open device before attempting to Start"});
    trace.Clear();

    ASSERT_EQ(m_recorder.Open(), RecorderResult::Ok);
    EXPECT_TRUE(m_recorder.IsOpen());
    EXPECT_FALSE(m_recorder.IsRecording());
    trace.Clear();
    EXPECT_EQ(m_recorder.Open(), RecorderResult::Ok);
    EXPECT_EQ(trace.LinesOf(kCaptureCategory),
              std::vector<QString>{
                  "Device Already Opened. Please Stop Recorder before attempting to Open"});
    EXPECT_TRUE(m_recorder.IsOpen());

    // Stop keeps the device open; a second Start captures again.
    ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
    ASSERT_TRUE(WaitForFrames(1));
    m_recorder.Stop();
    EXPECT_TRUE(m_recorder.IsOpen());
    EXPECT_FALSE(m_recorder.IsRecording());
    const std::size_t before = m_frames.size();
    SpinFor(800);  // two buffers' time: nothing arrives while stopped
    EXPECT_EQ(m_frames.size(), before);
    ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
    ASSERT_TRUE(WaitForFrames(before + 1));
    m_recorder.Close();
    EXPECT_FALSE(m_recorder.IsOpen());
    m_recorder.Close();  // closing twice is harmless
    EXPECT_FALSE(m_recorder.IsOpen());
}

// Each cycle stops (even cycles) or closes (odd ones) the recorder while a window is being
// analysed (the analysis is held in its trace for 60 ms); the call must wait for it to finish,
// and nothing may arrive afterwards.
TEST_F(RecorderSine, StopAndCloseWaitForARunningAnalysis) {
    CTraceRecorder trace(true);
    trace.SetAnalysisDelayMs(60);
    m_recorder.SetRefreshMode(RefreshMode::Live);
    const QString analysis = QStringLiteral("sonvela.capture.analysis");
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        const bool viaStop = cycle % 2 == 0;
        ASSERT_EQ(m_recorder.Open(), RecorderResult::Ok);
        ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
        const int started = trace.AnalysesStarted();
        ASSERT_TRUE(SpinUntil([&] { return trace.AnalysesStarted() > started; }, 10000));
        if (viaStop) {
            m_recorder.Stop();
        } else {
            m_recorder.Close();
        }
        // The analysis that was running has written all 256 of its lines, and no other
        // begins.
        const std::vector<QString> lines = trace.LinesOf(analysis);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(lines.back().startsWith(QStringLiteral("Average for Bar#255 ")))
            << lines.back().toStdString();
        const std::size_t frames = m_frames.size();
        SpinFor(200);
        EXPECT_EQ(trace.LinesOf(analysis).size(), lines.size());
        m_recorder.Close();
        EXPECT_EQ(m_frames.size(), frames);
    }
}

// A receiver destroyed while the recorder runs is no longer called; the recorder goes on.
TEST_F(RecorderSine, ReceiverGoneWhileRecording) {
    int calls = 0;
    auto receiver = std::make_unique<QObject>();
    QObject::connect(&m_recorder, &CRecorder::SpectrumReady, receiver.get(), [&calls] { ++calls; });
    m_recorder.SetRefreshMode(RefreshMode::Live);
    ASSERT_EQ(m_recorder.Open(), RecorderResult::Ok);
    ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
    ASSERT_TRUE(WaitForFrames(2));
    receiver.reset();
    const int callsBefore = calls;
    const std::size_t framesBefore = m_frames.size();
    ASSERT_TRUE(WaitForFrames(framesBefore + 3));
    EXPECT_EQ(calls, callsBefore);
    EXPECT_GE(callsBefore, 2);
}

// Tests that need an audio backend of their own run in a child process of this binary: Qt's
// backend connects to a sound server once per process.
const char* const kChildFlag = "SONVELA_CAPTURE_CHILD";

bool InChild() {
    return qEnvironmentVariableIsSet(kChildFlag);
}

void RunInChild(const QString& test, QProcessEnvironment env) {
    env.insert(QString::fromLatin1(kChildFlag), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + test});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

// Interleaved 16-bit stereo: a sine exactly on analysis bin `bin` on the left, silence on the
// right, as the device's bytes.
QByteArray LeftTone(int bin, int amplitude, int frames) {
    std::vector<std::int16_t> samples(2 * static_cast<std::size_t>(frames), 0);
    for (int n = 0; n < frames; ++n) {
        samples[2 * static_cast<std::size_t>(n)] = static_cast<std::int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * bin * n / kAnalysisFrames)));
    }
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
}

// A capture stopped in the middle of a sample frame and started again: the partial frame and
// what the last capture collected are dropped, so the first window of the new capture is the
// new sound, aligned on its frames (half a frame off would analyse the silent right channel,
// a byte off would analyse noise).
TEST_F(RecorderSine, ARestartDropsThePartialFrameAndTheLastCapturesSound) {
    constexpr int kOldBin = 2000;
    constexpr int kNewBin = 600;
    const struct {
        const char* name;
        RefreshMode mode;
        int partialBytes;
        int framesForOneWindow;
    } cases[] = {
        {"per buffer, one byte", RefreshMode::PerBuffer, 1, kCaptureBufferFrames},
        {"per buffer, half a frame", RefreshMode::PerBuffer, 2, kCaptureBufferFrames},
        {"live, three bytes", RefreshMode::Live, 3, 6 * kLiveHopFrames},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_frames.clear();
        ASSERT_TRUE(m_recorder.SetFormat(16, 2, 44100));
        m_recorder.SetRefreshMode(c.mode);
        ASSERT_EQ(m_recorder.Open(), RecorderResult::Ok);
        ASSERT_TRUE(IsCaptureFormat(m_recorder.DeviceFormat()));
        auto* pSink = m_recorder.findChild<QIODevice*>();
        ASSERT_NE(pSink, nullptr);
        // The device's writes come from the event loop, which does not run in between: these
        // are the only bytes of both captures until the first window is cut.
        ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
        pSink->write(LeftTone(kOldBin, 16000, 6000) + QByteArray(c.partialBytes, '\x7f'));
        m_recorder.Stop();
        ASSERT_EQ(m_recorder.Start(), RecorderResult::Ok);
        pSink->write(LeftTone(kNewBin, 8000, c.framesForOneWindow));
        ASSERT_TRUE(WaitForFrames(1));
        const std::vector<double>& values = m_frames.front().values;
        ASSERT_EQ(values.size(), static_cast<std::size_t>(kSpectrumValueCount));
        const auto peak = std::max_element(values.begin(), values.end()) - values.begin();
        EXPECT_EQ(peak, kNewBin);
        EXPECT_GT(values[kNewBin], 1000);
        EXPECT_LT(values[kOldBin], values[kNewBin] / 100);
        m_recorder.Close();
    }
}

// Without a sound server there is no input device.
TEST(RecorderWithoutDevice, OpenReportsNoDevice) {
    if (!InChild()) {
        QTemporaryDir runtime;
        ASSERT_TRUE(runtime.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("PULSE_SERVER"),
                   QStringLiteral("unix:") + runtime.filePath(QStringLiteral("no-server")));
        RunInChild(QStringLiteral("RecorderWithoutDevice.OpenReportsNoDevice"), env);
        return;
    }
    LoadLabelTable(kLanguageEnglish);
    CRecorder recorder;
    const RecorderResult result = recorder.Open();
    EXPECT_EQ(result, RecorderResult::NoDevice);
    EXPECT_FALSE(recorder.IsOpen());
    EXPECT_EQ(RecorderResultText(result), "No audio device was found");
    EXPECT_EQ(RecorderResultText(RecorderResult::Ok), "");
    EXPECT_EQ(recorder.Start(), RecorderResult::NotOpen);
    EXPECT_FALSE(recorder.IsRecording());
}

// The sound server dies while capturing (as a device would be unplugged): the recorder says
// so once, is no longer recording, sends nothing more and still closes cleanly.
TEST(RecorderServerGone, CaptureEnds) {
    if (!InChild()) {
        RunInChild(QStringLiteral("RecorderServerGone.CaptureEnds"),
                   QProcessEnvironment::systemEnvironment());
        return;
    }
    CPrivateSoundServer server(CPrivateSoundServer::Tone::ClockedSine);
    if (!server.IsRunning()) {
        GTEST_SKIP() << "No private PulseAudio server could be started here: "
                     << server.Error().toStdString();
    }
    CRecorder recorder;
    int ended = 0;
    int frames = 0;
    QObject::connect(&recorder, &CRecorder::CaptureEnded, [&] { ++ended; });
    QObject::connect(&recorder, &CRecorder::SpectrumReady, [&] { ++frames; });
    recorder.SetRefreshMode(RefreshMode::Live);
    ASSERT_EQ(recorder.Open(), RecorderResult::Ok);
    ASSERT_EQ(recorder.Start(), RecorderResult::Ok);
    ASSERT_TRUE(SpinUntil([&] { return frames >= 3; }, 10000));
    ::kill(static_cast<pid_t>(server.Pid()), SIGKILL);
    ASSERT_TRUE(SpinUntil([&] { return ended > 0; }, 10000));
    const int framesAtEnd = frames;
    SpinFor(300);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(frames, framesAtEnd);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_TRUE(recorder.IsOpen());
    recorder.Close();
    EXPECT_FALSE(recorder.IsOpen());
}

}  // namespace
