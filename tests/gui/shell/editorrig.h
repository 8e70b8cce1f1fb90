// The whole editor as sonvela starts it, against the simulated unit: over TCP on the loopback
// address (the unit in its own thread) or over USB through the fake HID backend (the unit
// answering each report at once). Lock files, settings and snapshots go to a folder of the
// test's own;
// no sound server is reachable.
#pragma once

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "gui/controls/statictrans.h"
#include "gui/shell/brioapp.h"
#include "gui/shell/briodlg.h"
#include "gui/shell/titlebar.h"
#include "link/unitconnection.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/simunitthread.h"

struct EditorRig {
    QTemporaryDir lockDir;
    std::unique_ptr<CSimUnitThread> tcpUnit;
    CFakeHidBackend::Shared hid;
    std::unique_ptr<CSimUnit> usbUnit;
    std::mutex usbMutex;
    // How long the unit served over USB takes to answer a report (set before StartUsb).
    std::function<std::chrono::milliseconds(std::span<const std::uint8_t>)> usbAnswerDelay;
    // The USB unit stops answering (it hangs) from the moment this is set.
    std::atomic<bool> usbUnitSilent{false};
    std::unique_ptr<CBrioApp> app;

    EditorRig() {
        hid.deviceAttached = false;
        // No sound server is reachable (the spectrum finds no input device), and the editor's
        // settings stay in the test's folder.
        qputenv("PULSE_SERVER", ("unix:" + lockDir.filePath("no-sound-server")).toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, lockDir.path());
        // Snapshots go to the test's folder too.
        qputenv("XDG_DATA_HOME", lockDir.path().toLocal8Bit());
    }
    ~EditorRig() {
        app.reset();
        QApplication::processEvents();
    }

    // The parameter-file library of the editor under test.
    QString LibraryFolder() const { return lockDir.filePath(QStringLiteral("Mode")); }

    SAppEnvironment Environment() {
        SAppEnvironment environment;
        environment.hidBackend = std::make_unique<CFakeHidBackend>(hid);
        environment.lockFolder = lockDir.path();
        environment.bWatchHotplug = false;
        QDir(lockDir.path()).mkpath(QStringLiteral("Mode"));
        environment.libraryFolder = LibraryFolder();
        return environment;
    }

    int StartTcp(SimOptions options = {}) {
        tcpUnit = std::make_unique<CSimUnitThread>(CSimUnitThread::Transport::Tcp, options);
        SAppOptions appOptions;
        appOptions.plan.bUsb = appOptions.plan.bSerial = false;
        appOptions.plan.address = "127.0.0.1";
        appOptions.plan.tcpPort = tcpUnit->TcpPort();
        app = std::make_unique<CBrioApp>(appOptions, Environment());
        return app->Start();
    }

    int StartUsb(SimOptions options = {}) {
        usbUnit = std::make_unique<CSimUnit>(options);
        hid.deviceAttached = true;
        hid.respond = [this](std::span<const std::uint8_t> report) {
            // A slow unit: the USB I/O thread waits before the answer comes.
            if (usbAnswerDelay) {
                std::this_thread::sleep_for(usbAnswerDelay(report));
            }
            std::vector<std::vector<std::uint8_t>> answers;
            if (usbUnitSilent) {
                return answers;
            }
            std::lock_guard lock(usbMutex);
            for (const SimReport& answer : usbUnit->OnUsbReport(report)) {
                answers.emplace_back(answer.begin(), answer.end());
            }
            return answers;
        };
        SAppOptions appOptions;
        appOptions.plan.bSerial = appOptions.plan.bNetwork = false;
        app = std::make_unique<CBrioApp>(appOptions, Environment());
        return app->Start();
    }

    // Runs fn on the unit served over USB while it answers nothing.
    void WithUsbUnit(const std::function<void(CSimUnit&)>& fn) {
        std::lock_guard lock(usbMutex);
        fn(*usbUnit);
    }

    // Word `word` of channel block `channel` in the unit served over TCP.
    std::int16_t UnitWord(int channel, int word) {
        std::int16_t value = 0;
        tcpUnit->WithUnit(
            [&](CSimUnit& unit) { value = unit.Block(channel)[static_cast<std::size_t>(word)]; });
        return value;
    }
    int UnitFramesReceived() {
        int frames = 0;
        tcpUnit->WithUnit([&](CSimUnit& unit) { frames = unit.Counters().framesReceived; });
        return frames;
    }

    CBrioDlg& Window() { return *app->MainWindow(); }
    QString Status() { return Window().TitleBar()->StatusLabel()->text(); }
    bool WaitStatus(const QString& text, int timeoutMs = 15000) {
        return QTest::qWaitFor([&] { return Status() == text; }, timeoutMs);
    }
    // Waits until the engine has nothing queued and nothing changed is left to send.
    void Settle(int ms = 300) { QTest::qWait(ms); }
};
