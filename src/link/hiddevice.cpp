#include "link/hiddevice.h"

#include <QStringList>

#include "core/common/usernotify.h"

CHidDevice::CHidDevice(std::unique_ptr<IHidBackend> backend, QObject* parent)
    : QObject(parent), m_pBackend(std::move(backend)) {}

CHidDevice::~CHidDevice() {
    Close();
}

bool CHidDevice::ListDevices() {
    const std::vector<HidDeviceEntry> devices = m_pBackend->Enumerate();
    for (const HidDeviceEntry& d : devices) {
        DebugLine(QStringLiteral("Device Found\n  type: %1 %2\n  path: %3\n  serial_number: %4\n"
                                 "  Manufacturer: %5\n  Product:      %6\n  Release:      %7\n"
                                 "  Interface:    %8\n")
                      .arg(d.vendorId, 4, 16, QChar('0'))
                      .arg(d.productId, 4, 16, QChar('0'))
                      .arg(d.path, d.serialNumber, d.manufacturer, d.product)
                      .arg(d.release, 0, 16)
                      .arg(d.interfaceNumber)
                      .toStdString());
    }
    return !devices.empty();
}

bool CHidDevice::OpenDevice(std::uint16_t vendorId, std::uint16_t productId) {
    const bool wasReading = m_bReading.load();
    StopReader();
    m_pBackend->Close();
    m_bOpened = m_pBackend->Open(vendorId, productId) ? 1 : 0;
    m_devicePath = m_bOpened != 0 ? m_pBackend->OpenPath() : QString();
    DebugLine(m_bOpened != 0 ? "open device" : "unable to open device");
    if (m_bOpened != 0 && wasReading) {
        StartReader();
    }
    return m_bOpened != 0;
}

bool CHidDevice::StartReader() {
    if (m_bOpened == 0) {
        return false;
    }
    if (m_bReading.load()) {
        return true;
    }
    m_bReading = true;
    m_reader = std::thread([this] { ReaderLoop(); });
    return true;
}

void CHidDevice::PauseReader() {
    StopReader();
}

void CHidDevice::ResumeReader() {
    StartReader();
}

void CHidDevice::StopReader() {
    m_bReading = false;
    if (m_reader.joinable()) {
        m_reader.join();
    }
    // Reports the I/O thread had not written yet are dropped: their frames time out and are
    // sent again, and the owner's thread never waits on a device that may be going away.
    std::lock_guard lock(m_writeMutex);
    m_writes.clear();
}

void CHidDevice::Close() {
    StopReader();
    m_pBackend->Close();
    m_bOpened = 0;
    m_devicePath.clear();
}

int CHidDevice::WriteReport(const std::uint8_t* report, int length) {
    if (m_bOpened == 0 || length < 0) {
        return -1;
    }
    std::vector<std::uint8_t> copy(report, report + length);
    if (m_bReading.load()) {
        std::lock_guard lock(m_writeMutex);
        m_writes.push_back(std::move(copy));
        return length;
    }
    return WriteNow(copy);
}

int CHidDevice::WriteNow(const std::vector<std::uint8_t>& report) {
    const int result = m_pBackend->Write(report.data(), static_cast<int>(report.size()));
    DebugLine("hid_write data res: " + std::to_string(result));
    return result;
}

void CHidDevice::WriteQueued() {
    std::deque<std::vector<std::uint8_t>> writes;
    {
        std::lock_guard lock(m_writeMutex);
        writes.swap(m_writes);
    }
    for (const auto& report : writes) {
        WriteNow(report);
    }
}

void CHidDevice::WriteReport(const UsbReport& report) {
    WriteReport(report.data(), static_cast<int>(report.size()));
}

bool CHidDevice::WriteFrame(const std::uint8_t* frame, int length) {
    if (length < 0 || length > kHidReadSize) {
        return false;
    }
    std::uint8_t report[kHidReportLength] = {};
    std::copy(frame, frame + length, report + 1);
    return WriteReport(report, kHidReportLength) >= 0;
}

void CHidDevice::ReaderLoop() {
    std::uint8_t buffer[kHidReadSize];
    while (m_bReading.load()) {
        WriteQueued();
        const int got = m_pBackend->Read(buffer, kHidReadSize, kHidReadTimeoutMs);
        if (got <= 0) {
            // Nothing within the time-out, or an error (the device may be going away): the
            // hot-plug monitor decides about the device, the reader just tries again.
            if (got < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kHidErrorPauseMs));
            }
            continue;
        }
        QByteArray report(kHidReportLength, '\0');
        std::copy(buffer, buffer + got, report.begin() + 1);
        // Handed over as a queued event, so that ReportReceived is emitted on the owner's
        // thread whatever way the receivers are connected. Queued events keep their order.
        QMetaObject::invokeMethod(
            this, [this, report] { emit ReportReceived(report); }, Qt::QueuedConnection);
    }
}
