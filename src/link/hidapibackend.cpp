// IHidBackend on hidapi (hidraw). The handle stays inside this file.
#include <hidapi/hidapi.h>

#include "link/hidbackend.h"

namespace {
QString FromWide(const wchar_t* text) {
    return text != nullptr ? QString::fromWCharArray(text) : QString();
}

class CHidapiBackend : public IHidBackend {
public:
    CHidapiBackend() { hid_init(); }
    ~CHidapiBackend() override {
        Close();
        hid_exit();
    }
    CHidapiBackend(const CHidapiBackend&) = delete;
    CHidapiBackend& operator=(const CHidapiBackend&) = delete;

    std::vector<HidDeviceEntry> Enumerate() override {
        std::vector<HidDeviceEntry> entries;
        hid_device_info* list = hid_enumerate(0, 0);
        for (const hid_device_info* d = list; d != nullptr; d = d->next) {
            entries.push_back({d->vendor_id, d->product_id, QString::fromLocal8Bit(d->path),
                               FromWide(d->serial_number), FromWide(d->manufacturer_string),
                               FromWide(d->product_string), d->release_number,
                               d->interface_number});
        }
        hid_free_enumeration(list);
        return entries;
    }

    bool Open(std::uint16_t vendorId, std::uint16_t productId) override {
        Close();
        // Open by path so that the node is known: hot-plug removal is matched against it.
        hid_device_info* list = hid_enumerate(vendorId, productId);
        if (list != nullptr) {
            m_path = QString::fromLocal8Bit(list->path);
            m_pDevice = hid_open_path(list->path);
        }
        hid_free_enumeration(list);
        if (m_pDevice == nullptr) {
            m_path.clear();
        }
        return m_pDevice != nullptr;
    }

    void Close() override {
        if (m_pDevice != nullptr) {
            hid_close(m_pDevice);
            m_pDevice = nullptr;
        }
        m_path.clear();
    }

    bool IsOpen() const override { return m_pDevice != nullptr; }
    QString OpenPath() const override { return m_path; }

    int Read(std::uint8_t* buffer, int length, int timeoutMs) override {
        if (m_pDevice == nullptr) {
            return -1;
        }
        return hid_read_timeout(m_pDevice, buffer, static_cast<size_t>(length), timeoutMs);
    }

    int Write(const std::uint8_t* report, int length) override {
        if (m_pDevice == nullptr) {
            return -1;
        }
        return hid_write(m_pDevice, report, static_cast<size_t>(length));
    }

private:
    hid_device* m_pDevice = nullptr;
    QString m_path;
};
}  // namespace

std::unique_ptr<IHidBackend> MakeHidapiBackend() {
    return std::make_unique<CHidapiBackend>();
}
