// The USB link. The unit is a HID device with fixed ids; frames travel one per 65-byte report
// (report id 0, then the frame), so a frame longer than 64 bytes cannot be sent.
//
// While reading, one I/O thread does every hidapi read and write of the device: hidapi's
// hidraw backend shares state between hid_read_timeout and hid_write, so the two must never
// run at once, and a write can block. WriteReport only queues the report for that thread and
// returns at once. The thread writes what is queued, then waits at most kHidReadTimeoutMs for
// an input report; every input report is handed to the owner's thread as a queued
// ReportReceived, in arrival order, re-framed as 65 bytes (byte 0 = 0, bytes 1..64 = the
// report). Without a reader the owner's thread writes itself.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/protocol/linkinterfaces.h"
#include "link/hidbackend.h"

inline constexpr std::uint16_t kUnitVid = UNIT_VID;
inline constexpr std::uint16_t kUnitPid = UNIT_PID;
inline constexpr int kHidReportLength = kUsbReportLength;
inline constexpr int kHidReadSize = 64;
// How long one read waits: also the longest a queued report waits to be written.
inline constexpr int kHidReadTimeoutMs = 5;
// The pause after a failed read (a device going away) before the thread tries again.
inline constexpr int kHidErrorPauseMs = 50;

class CHidDevice : public QObject, public IUsbReportLink {
    Q_OBJECT
public:
    explicit CHidDevice(std::unique_ptr<IHidBackend> backend = MakeHidapiBackend(),
                        QObject* parent = nullptr);
    ~CHidDevice() override;
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Writes every attached HID device to the diagnostic output; true when there was any.
    bool ListDevices();
    // Opens the first device with these ids. An open device is closed first, after its reader
    // has been stopped and joined; a reader that was running is restarted on the new device.
    bool OpenDevice(std::uint16_t vendorId = kUnitVid, std::uint16_t productId = kUnitPid);
    // Starts the reader on the open device; false when none is open.
    bool StartReader();
    // Stops and joins the reader; the device stays open.
    void PauseReader();
    // Starts the reader again when the device is open and no reader runs.
    void ResumeReader();
    // Stops the reader and closes the device.
    void Close();

    // Writes one 65-byte report: queued for the I/O thread while it reads (the result is the
    // length), else written at once (hidapi's result). -1 when no device is open.
    int WriteReport(const std::uint8_t* report, int length);
    // The engine's output: one report, written as it is.
    void WriteReport(const UsbReport& report) override;
    // Sends one frame as a report: false (nothing written) for frames over 64 bytes.
    bool WriteFrame(const std::uint8_t* frame, int length);

    bool IsOpen() const { return m_bOpened != 0; }
    bool IsReading() const { return m_bReading.load(); }
    QString DevicePath() const { return m_devicePath; }

signals:
    void ReportReceived(const QByteArray& report);

private:
    void ReaderLoop();
    void StopReader();
    int WriteNow(const std::vector<std::uint8_t>& report);
    void WriteQueued();

    std::unique_ptr<IHidBackend> m_pBackend;
    std::atomic<bool> m_bReading{false};
    int m_bOpened = 0;
    QString m_devicePath;
    std::thread m_reader;
    std::mutex m_writeMutex;
    std::deque<std::vector<std::uint8_t>> m_writes;  // queued for the I/O thread
};
