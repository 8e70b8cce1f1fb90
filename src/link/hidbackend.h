// Access to HID devices, behind an interface so that the USB link can run against a simulated
// unit. The real backend uses hidapi's hidraw flavour.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// One attached HID device, as listed for diagnostics.
struct HidDeviceEntry {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    QString path;
    QString serialNumber;
    QString manufacturer;
    QString product;
    std::uint16_t release = 0;
    int interfaceNumber = -1;
};

// One open device at a time. Read runs on the reader thread while Write runs on the owner's
// thread; Open and Close run only while no reader is active.
class IHidBackend {
public:
    virtual ~IHidBackend() = default;
    virtual std::vector<HidDeviceEntry> Enumerate() = 0;
    // Opens the first device with these ids; closes any device opened before.
    virtual bool Open(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The system path of the open device (a /dev/hidraw node), empty when none is open.
    virtual QString OpenPath() const = 0;
    // Waits up to timeoutMs for one input report: its length, 0 when none came, < 0 on error.
    virtual int Read(std::uint8_t* buffer, int length, int timeoutMs) = 0;
    // Writes one output report (report id first): bytes written or < 0 on error.
    virtual int Write(const std::uint8_t* report, int length) = 0;
};

std::unique_ptr<IHidBackend> MakeHidapiBackend();
