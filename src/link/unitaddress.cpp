#include "link/unitaddress.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QStringList>
#include <QtEndian>

#include "core/common/usernotify.h"

QString g_unitAddress = QString::fromLatin1(kUnitFactoryAddress);

namespace {
std::optional<quint32> ParseIpv4(const QString& dotted) {
    QHostAddress address;
    if (!address.setAddress(dotted) || address.protocol() != QAbstractSocket::IPv4Protocol) {
        return std::nullopt;
    }
    return address.toIPv4Address();
}

// /proc/net/route prints each address as the hex of the 32-bit word that holds it in network
// byte order, read as a host-order integer: laid back out in host order, its bytes are the
// dotted form's bytes in sequence.
QString RouteHexToDotted(const QString& hex) {
    bool ok = false;
    const quint32 raw = hex.toUInt(&ok, 16);
    if (!ok || hex.size() != 8) {
        return {};
    }
    uchar bytes[4];
    qToUnaligned(raw, bytes);
    return QStringLiteral("%1.%2.%3.%4").arg(bytes[0]).arg(bytes[1]).arg(bytes[2]).arg(bytes[3]);
}
}  // namespace

std::optional<QString> MatchUnitGateway(const QString& hostAddress,
                                        const QList<AdapterInfo>& adapters) {
    const std::optional<quint32> host = ParseIpv4(hostAddress);
    if (!host) {
        return std::nullopt;
    }
    for (const AdapterInfo& adapter : adapters) {
        const std::optional<quint32> gateway = ParseIpv4(adapter.gateway);
        if (!gateway || *gateway == 0) {
            continue;
        }
        if ((*gateway >> 8) == (*host >> 8)) {
            return adapter.gateway;
        }
    }
    return std::nullopt;
}

QList<QPair<QString, QString>> ParseDefaultGateways(const QString& routeTable) {
    // Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT
    QList<QPair<QString, QString>> gateways;
    const QStringList lines = routeTable.split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].simplified().split(' ');
        if (fields.size() < 8) {
            continue;
        }
        const bool isDefault = fields[1] == "00000000" && fields[7] == "00000000";
        if (!isDefault) {
            continue;
        }
        const QString gateway = RouteHexToDotted(fields[2]);
        if (gateway.isEmpty()) {
            continue;
        }
        bool known = false;
        for (const auto& entry : gateways) {
            known = known || entry.first == fields[0];
        }
        if (!known) {
            gateways.append({fields[0], gateway});
        }
    }
    return gateways;
}

QList<AdapterInfo> ListAdapters() {
    QList<QPair<QString, QString>> gateways;
    QFile routes(QStringLiteral("/proc/net/route"));
    if (routes.open(QIODevice::ReadOnly)) {
        gateways = ParseDefaultGateways(QString::fromLatin1(routes.readAll()));
    }
    QList<AdapterInfo> adapters;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        AdapterInfo adapter;
        adapter.name = nic.name();
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                adapter.address = entry.ip().toString();
                adapter.netmask = entry.netmask().toString();
                break;
            }
        }
        adapter.gateway = QStringLiteral("0.0.0.0");
        for (const auto& entry : gateways) {
            if (entry.first == adapter.name) {
                adapter.gateway = entry.second;
                break;
            }
        }
        adapters.append(adapter);
    }
    return adapters;
}

QString HostAddress() {
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            return address.toString();
        }
    }
    return {};
}

bool FindUnitAddress() {
    const QString host = HostAddress();
    if (host.isEmpty()) {
        DebugLine("FindUnitAddress: no IPv4 host address");
        return false;
    }
    const std::optional<QString> gateway = MatchUnitGateway(host, ListAdapters());
    if (!gateway) {
        return false;
    }
    g_unitAddress = *gateway;
    return true;
}

QString ChooseUnitAddress(const QString& givenAddress) {
    if (!givenAddress.isEmpty()) {
        return givenAddress;
    }
    return FindUnitAddress() ? g_unitAddress : QString();
}
