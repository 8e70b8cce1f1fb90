// An in-memory HID backend: the test queues input reports (as a unit would send them) and
// inspects the output reports and the open/close sequence.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "link/hidbackend.h"

class CFakeHidBackend : public IHidBackend {
public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable arrived;
        std::deque<std::vector<std::uint8_t>> inputReports;
        std::vector<std::vector<std::uint8_t>> outputReports;
        std::vector<std::string> calls;  // "open", "close"
        bool deviceAttached = true;
        bool readerActive = false;
        bool insideRead = false;  // a Read is waiting for a report
        int concurrentReaders = 0;
        int maxConcurrentReaders = 0;
        QString path = "/dev/hidraw7";
        // Answers each output report (without its report id) with input reports.
        std::function<std::vector<std::vector<std::uint8_t>>(std::span<const std::uint8_t>)>
            respond;
    };

    explicit CFakeHidBackend(Shared& shared) : m_shared(shared) {}

    void Queue(std::vector<std::uint8_t> report) {
        {
            std::lock_guard lock(m_shared.mutex);
            m_shared.inputReports.push_back(std::move(report));
        }
        m_shared.arrived.notify_all();
    }

    std::vector<HidDeviceEntry> Enumerate() override {
        std::lock_guard lock(m_shared.mutex);
        if (!m_shared.deviceAttached) {
            return {};
        }
        HidDeviceEntry entry;
        entry.vendorId = 0x0483;
        entry.productId = 0x5750;
        entry.path = m_shared.path;
        return {entry};
    }
    bool Open(std::uint16_t, std::uint16_t) override {
        std::lock_guard lock(m_shared.mutex);
        m_shared.calls.emplace_back("open");
        m_bOpen = m_shared.deviceAttached;
        return m_bOpen;
    }
    void Close() override {
        std::lock_guard lock(m_shared.mutex);
        if (m_bOpen) {
            m_shared.calls.emplace_back("close");
            // Closing under a running reader would pull the handle from under hid_read.
            if (m_shared.concurrentReaders > 0) {
                m_shared.calls.emplace_back("close-while-reading");
            }
        }
        m_bOpen = false;
    }
    bool IsOpen() const override { return m_bOpen; }
    QString OpenPath() const override { return m_bOpen ? m_shared.path : QString(); }

    int Read(std::uint8_t* buffer, int length, int timeoutMs) override {
        std::unique_lock lock(m_shared.mutex);
        m_shared.insideRead = true;
        ++m_shared.concurrentReaders;
        m_shared.maxConcurrentReaders =
            std::max(m_shared.maxConcurrentReaders, m_shared.concurrentReaders);
        m_shared.arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return !m_shared.inputReports.empty(); });
        int got = 0;
        if (!m_bOpen) {
            got = -1;
        } else if (!m_shared.inputReports.empty()) {
            const std::vector<std::uint8_t> report = std::move(m_shared.inputReports.front());
            m_shared.inputReports.pop_front();
            got = std::min<int>(length, static_cast<int>(report.size()));
            std::copy(report.begin(), report.begin() + got, buffer);
        }
        --m_shared.concurrentReaders;
        m_shared.insideRead = false;
        return got;
    }
    int Write(const std::uint8_t* report, int length) override {
        {
            std::lock_guard lock(m_shared.mutex);
            if (!m_bOpen) {
                return -1;
            }
            // hidapi's hidraw backend shares state between hid_read and hid_write.
            if (m_shared.insideRead) {
                m_shared.calls.emplace_back("write-during-read");
            }
            m_shared.outputReports.emplace_back(report, report + length);
        }
        if (m_shared.respond && length > 1) {
            for (auto& answer : m_shared.respond({report + 1, report + length})) {
                Queue(std::move(answer));
            }
        }
        return length;
    }

private:
    Shared& m_shared;
    bool m_bOpen = false;
};
