#include "simendpoints.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

namespace {
constexpr int kBitsPerByte = 10;  // start, 8 data, stop
constexpr int kPaceIntervalMs = 1;

QByteArray ToHex(std::span<const std::uint8_t> bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()))
        .toHex(' ')
        .toUpper();
}
}  // namespace

CSimEndpoints::CSimEndpoints(CSimUnit& sim, QObject* parent) : QObject(parent), m_sim(sim) {
    m_clock.start();
    connect(&m_server, &QTcpServer::newConnection, this, &CSimEndpoints::OnNewConnection);
    m_paceTimer.setInterval(kPaceIntervalMs);
    connect(&m_paceTimer, &QTimer::timeout, this, &CSimEndpoints::PumpPty);
    m_sim.SetLogger([this](CSimUnit::Event event, std::span<const std::uint8_t> bytes,
                           std::string_view why) { Log(event, bytes, why); });
}

CSimEndpoints::~CSimEndpoints() {
    m_sim.SetLogger({});
    if (!m_linkPath.isEmpty()) {
        QFile::remove(m_linkPath);
    }
    if (m_nPtyMaster >= 0) {
        ::close(m_nPtyMaster);
    }
    if (m_nPtySlave >= 0) {
        ::close(m_nPtySlave);
    }
}

bool CSimEndpoints::ListenTcp(const QHostAddress& address, quint16 port, QString& error) {
    if (!m_server.listen(address, port)) {
        error = m_server.errorString();
        return false;
    }
    return true;
}

void CSimEndpoints::OnNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_pSocket) {
            socket->close();  // one editor at a time
            socket->deleteLater();
            continue;
        }
        m_pSocket = socket;
        connect(socket, &QTcpSocket::readyRead, this, &CSimEndpoints::OnSocketData);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void CSimEndpoints::OnSocketData() {
    if (!m_pSocket) {
        return;
    }
    const QByteArray in = m_pSocket->readAll();
    const auto out =
        m_sim.OnStreamBytes(std::span(reinterpret_cast<const std::uint8_t*>(in.constData()),
                                      static_cast<std::size_t>(in.size())));
    if (!out.empty()) {
        m_pSocket->write(reinterpret_cast<const char*>(out.data()),
                         static_cast<qint64>(out.size()));
    }
}

QString CSimEndpoints::OpenPty(const QString& link, QString& error) {
    char name[256] = {};
    if (::openpty(&m_nPtyMaster, &m_nPtySlave, name, nullptr, nullptr) != 0) {
        error = QStringLiteral("openpty failed: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return {};
    }
    termios raw{};
    ::tcgetattr(m_nPtySlave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_nPtySlave, TCSANOW, &raw);
    ::fcntl(m_nPtyMaster, F_SETFL, ::fcntl(m_nPtyMaster, F_GETFL) | O_NONBLOCK);
    m_pPtyNotifier = new QSocketNotifier(m_nPtyMaster, QSocketNotifier::Read, this);
    connect(m_pPtyNotifier, &QSocketNotifier::activated, this, &CSimEndpoints::OnPtyReadable);
    const QString path = QString::fromLocal8Bit(name);
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(path, link)) {
            error = QStringLiteral("cannot link %1 to %2").arg(link, path);
            return {};
        }
        m_linkPath = link;
    }
    return path;
}

void CSimEndpoints::OnPtyReadable() {
    std::uint8_t buffer[512];
    const ssize_t n = ::read(m_nPtyMaster, buffer, sizeof buffer);
    if (n <= 0) {
        return;
    }
    const auto out = m_sim.OnStreamBytes(std::span(buffer, static_cast<std::size_t>(n)));
    if (out.empty()) {
        return;
    }
    if (m_ptyOut.isEmpty()) {
        m_paceClock.start();
        m_nPacedBytes = 0;
    }
    m_ptyOut.append(reinterpret_cast<const char*>(out.data()), static_cast<qsizetype>(out.size()));
    PumpPty();
}

void CSimEndpoints::PumpPty() {
    qint64 allowed = m_ptyOut.size();
    if (m_nBaud > 0) {
        const qint64 due = m_paceClock.elapsed() * m_nBaud / kBitsPerByte / 1000 + 1;
        allowed = std::min<qint64>(allowed, due - m_nPacedBytes);
    }
    if (allowed > 0) {
        const ssize_t written =
            ::write(m_nPtyMaster, m_ptyOut.constData(), static_cast<std::size_t>(allowed));
        if (written > 0) {
            m_ptyOut.remove(0, written);
            m_nPacedBytes += written;
        }
    }
    if (m_ptyOut.isEmpty()) {
        m_paceTimer.stop();
    } else if (!m_paceTimer.isActive()) {
        m_paceTimer.start();
    }
}

bool CSimEndpoints::OpenLog(const QString& path, QString& error) {
    m_log.setFileName(path);
    if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        error = m_log.errorString();
        return false;
    }
    return true;
}

void CSimEndpoints::Log(CSimUnit::Event event, std::span<const std::uint8_t> bytes,
                        std::string_view why) {
    if (!m_log.isOpen()) {
        return;
    }
    const char* kind = event == CSimUnit::Event::kReceived   ? "in"
                       : event == CSimUnit::Event::kRejected ? "rejected"
                       : event == CSimUnit::Event::kSent     ? "out"
                                                             : "malformed";
    QJsonObject line{
        {"ms", m_clock.elapsed()}, {"dir", kind}, {"bytes", QString::fromLatin1(ToHex(bytes))}};
    if (!why.empty()) {
        line.insert("why", QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size())));
    }
    m_log.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + "\n");
    m_log.flush();
}
