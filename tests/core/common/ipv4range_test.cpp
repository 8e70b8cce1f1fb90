#include "core/common/ipv4range.h"

#include <gtest/gtest.h>

namespace {

TEST(Ipv4Range, BlocksAndTheirHosts) {
    std::string error;
    const auto block = ParseIpv4Range("10.77.0.9/24", &error);
    ASSERT_TRUE(block) << error;
    EXPECT_EQ(block->ToString(), "10.77.0.0/24");  // host bits cleared
    const auto hosts = block->Hosts();
    ASSERT_EQ(hosts.size(), 254u);
    EXPECT_EQ(Ipv4ToString(hosts.front()), "10.77.0.1");
    EXPECT_EQ(Ipv4ToString(hosts.back()), "10.77.0.254");

    struct Case {
        const char* text;
        std::size_t count;
        const char* first;
    };
    for (const Case c :
         {Case{"127.0.0.2", 1, "127.0.0.2"}, Case{"192.168.4.7/31", 2, "192.168.4.6"},
          Case{"192.168.4.7/30", 2, "192.168.4.5"}, Case{"172.16.0.0/16", 65534, "172.16.0.1"}}) {
        const auto range = ParseIpv4Range(c.text, &error);
        ASSERT_TRUE(range) << c.text << ": " << error;
        const auto h = range->Hosts();
        ASSERT_EQ(h.size(), c.count) << c.text;
        EXPECT_EQ(Ipv4ToString(h.front()), c.first) << c.text;
    }
}

TEST(Ipv4Range, MalformedOrTooWideIsRefusedWithAReason) {
    for (const char* text :
         {"", "10.0.0", "10.0.0.256/24", "10.0.0.1/", "10.0.0.1/33", "10.0.0.1/24x", "10.0.0.1 ",
          "a.b.c.d", "1.2.3.4.5", "10..0.1", "10.0.0.1/-1", "0010.0.0.1"}) {
        std::string error;
        EXPECT_FALSE(ParseIpv4Range(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    std::string error;
    EXPECT_FALSE(ParseIpv4Range("10.0.0.0/15", &error));
    EXPECT_EQ(error, "'10.0.0.0/15' is wider than a /16");
}

}  // namespace
