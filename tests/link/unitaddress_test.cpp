#include "link/unitaddress.h"

#include <gtest/gtest.h>

TEST(UnitAddress, GatewayOfTheAdapterInTheHostsSubnetIsTheUnit) {
    const QList<AdapterInfo> twoAdapters = {
        {"eth0", "172.16.0.7", "255.255.255.0", "172.16.0.1"},
        {"wlan0", "192.168.4.20", "255.255.255.0", "192.168.4.1"},
    };
    const struct {
        const char* what;
        const char* host;
        QList<AdapterInfo> adapters;
        std::optional<QString> expected;
    } cases[] = {
        {"second adapter matches the host's /24", "192.168.4.20", twoAdapters, "192.168.4.1"},
        {"first adapter matches", "172.16.0.99", twoAdapters, "172.16.0.1"},
        {"no adapter in the host's /24", "10.0.0.5", twoAdapters, std::nullopt},
        {"empty gateway never matches",
         "192.168.4.20",
         {{"wlan0", "192.168.4.20", "255.255.255.0", "0.0.0.0"}},
         std::nullopt},
        {"missing gateway never matches",
         "192.168.4.20",
         {{"wlan0", "192.168.4.20", "255.255.255.0", ""}},
         std::nullopt},
        {"first match in list order wins",
         "192.168.4.20",
         {{"a", "192.168.4.20", "255.255.255.0", "192.168.4.254"},
          {"b", "192.168.4.21", "255.255.255.0", "192.168.4.1"}},
         "192.168.4.254"},
        {"only the first three bytes count",
         "192.168.5.20",
         {{"a", "192.168.4.20", "255.255.255.0", "192.168.4.1"}},
         std::nullopt},
        {"host not an IPv4 address", "fe80::1", twoAdapters, std::nullopt},
        {"host empty", "", twoAdapters, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchUnitGateway(c.host, c.adapters), c.expected) << c.what;
    }
}

TEST(UnitAddress, DefaultGatewaysFromTheKernelRoutingTable) {
    const QString table =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
        "wlan0\t00000000\t0104A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
        "eth0\t00000000\t FEFFFFFF\t0003\t0\t0\t200\t00000000\t0\t0\t0\n"
        "br0\t00000000\tZZZZ\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
        "short line\n";
    const auto gateways = ParseDefaultGateways(table);
    ASSERT_EQ(gateways.size(), 2);
    EXPECT_EQ(gateways[0], qMakePair(QString("eth0"), QString("192.168.0.1")));
    EXPECT_EQ(gateways[1], qMakePair(QString("wlan0"), QString("192.168.4.1")));
    EXPECT_TRUE(ParseDefaultGateways("").isEmpty());
}

TEST(UnitAddress, AGivenAddressIsUsedAsGiven) {
    g_unitAddress = kUnitFactoryAddress;
    EXPECT_EQ(ChooseUnitAddress("10.9.8.7"), QString("10.9.8.7"));
    EXPECT_EQ(ChooseUnitAddress("unit.local"), QString("unit.local"));
    // The gateway search did not run: the stored address is untouched.
    EXPECT_EQ(g_unitAddress, QString(kUnitFactoryAddress));
}

TEST(UnitAddress, HostAddressIsNeverLoopback) {
    const QString host = HostAddress();
    EXPECT_FALSE(host.startsWith("127.")) << host.toStdString();
}
