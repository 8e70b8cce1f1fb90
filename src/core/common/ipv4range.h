// A block of IPv4 addresses written as "A.B.C.D/N" (or one address "A.B.C.D"), and the host
// addresses in it: a /24 has the 254 hosts .1 to .254, without its network and broadcast
// addresses; /31 and /32 have no such addresses to leave out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The widest block a scan takes: a /16, 65534 hosts.
inline constexpr int kWidestIpv4Prefix = 16;

struct Ipv4Range {
    std::uint32_t network = 0;  // host byte order, the host bits cleared
    int prefix = 32;

    std::vector<std::uint32_t> Hosts() const;
    std::string ToString() const;  // "A.B.C.D/N"
};

// Parses a dotted address: four decimal numbers 0-255, nothing else.
std::optional<std::uint32_t> ParseIpv4(std::string_view text);
std::string Ipv4ToString(std::uint32_t address);

// Parses "A.B.C.D/N" with N from kWidestIpv4Prefix to 32, or a bare address (/32). The host
// bits of the address are cleared. On failure the reason is put in *error.
std::optional<Ipv4Range> ParseIpv4Range(std::string_view text, std::string* error);
