#include "capture/capturesink.h"

CCaptureSink::CCaptureSink(Receive receive, QObject* parent)
    : QIODevice(parent), m_receive(std::move(receive)) {}

qint64 CCaptureSink::readData(char* /*data*/, qint64 /*maxSize*/) {
    return -1;
}

qint64 CCaptureSink::writeData(const char* data, qint64 size) {
    if (size > 0) {
        m_receive(std::as_bytes(std::span(data, static_cast<std::size_t>(size))));
    }
    return size;
}
