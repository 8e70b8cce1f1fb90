// A pseudo-terminal pair for serial tests: the slave side is the "port", the test plays the
// far end on the master side.
#pragma once

#include <QByteArray>
#include <QString>

class CPty {
public:
    CPty();
    ~CPty();
    CPty(const CPty&) = delete;
    CPty& operator=(const CPty&) = delete;

    bool IsValid() const { return m_master >= 0; }
    // The slave's device path (/dev/pts/N).
    QString SlavePath() const { return m_slavePath; }
    int MasterFd() const { return m_master; }
    void WriteToPort(const QByteArray& bytes);
    // Reads what the port has sent, waiting up to timeoutMs for at least `atLeast` bytes.
    QByteArray ReadFromPort(int atLeast, int timeoutMs);
    // What the port has sent so far, without waiting.
    QByteArray ReadAvailable();

private:
    int m_master = -1;
    QString m_slavePath;
};
