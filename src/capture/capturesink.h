// The device the audio source writes captured bytes into (Qt's push mode). It keeps nothing:
// every write is passed on at once, on the thread of the audio source.
#pragma once

#include <QIODevice>
#include <cstddef>
#include <functional>
#include <span>

class CCaptureSink : public QIODevice {
public:
    using Receive = std::function<void(std::span<const std::byte> bytes)>;

    explicit CCaptureSink(Receive receive, QObject* parent = nullptr);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    Receive m_receive;
};
