// Where the unit is on the network. The unit's network module is the router of its own small
// network, so when the PC is attached to it the unit's address is the default gateway of the
// adapter that lies in the PC's own /24 subnet.
#pragma once

#include <QList>
#include <QString>
#include <optional>

// The unit's IPv4 address in dotted form. Starts as the unit's factory address; the gateway
// search or an address the user gives replaces it.
extern QString g_unitAddress;
inline constexpr const char* kUnitFactoryAddress = "192.168.4.1";
inline constexpr quint16 kUnitTcpPort = 8899;

// One network adapter as the gateway search sees it.
struct AdapterInfo {
    QString name;     // interface name (eth0)
    QString address;  // first IPv4 address, dotted
    QString netmask;  // its mask, dotted
    QString gateway;  // first default gateway, dotted; "0.0.0.0" or empty when none
};

// The matching rule: the first adapter (in list order) whose gateway is set and whose gateway's
// first three bytes equal those of the host address. Returns that gateway.
std::optional<QString> MatchUnitGateway(const QString& hostAddress,
                                        const QList<AdapterInfo>& adapters);

// Default gateways from the kernel's routing table (the text of /proc/net/route): interface
// name → first default route's gateway, dotted, in table order.
QList<QPair<QString, QString>> ParseDefaultGateways(const QString& routeTable);

// The adapters of this PC: the interface list joined with the routing table.
QList<AdapterInfo> ListAdapters();

// The host address the search compares with: the first non-loopback IPv4 address of the PC.
// (The host name often resolves to a loopback alias, which never matches any gateway.)
QString HostAddress();

// The gateway search: on a match sets g_unitAddress and returns true; otherwise leaves it
// unchanged and returns false.
bool FindUnitAddress();

// The address a network attempt connects to: the one the user gave, as given; without one, the
// result of the gateway search (empty when it finds nothing).
QString ChooseUnitAddress(const QString& givenAddress);
