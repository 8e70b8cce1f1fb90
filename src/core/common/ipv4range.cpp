#include "core/common/ipv4range.h"

#include <algorithm>
#include <charconv>

namespace {
std::uint32_t PrefixMask(int prefix) {
    return prefix <= 0 ? 0 : ~std::uint32_t{0} << (32 - prefix);
}
}  // namespace

std::optional<std::uint32_t> ParseIpv4(std::string_view text) {
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') {
                return std::nullopt;
            }
            text.remove_prefix(1);
        }
        unsigned value = 256;
        const char* begin = text.data();
        const char* end = begin + std::min<std::size_t>(text.size(), 3);
        const auto [next, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc() || value > 255 || next == begin) {
            return std::nullopt;
        }
        text.remove_prefix(static_cast<std::size_t>(next - begin));
        address = (address << 8) | value;
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return address;
}

std::string Ipv4ToString(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text.append(std::to_string((address >> shift) & 0xFF));
        if (shift > 0) {
            text.push_back('.');
        }
    }
    return text;
}

std::optional<Ipv4Range> ParseIpv4Range(std::string_view text, std::string* error) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    const std::size_t slash = text.find('/');
    const std::optional<std::uint32_t> address = ParseIpv4(text.substr(0, slash));
    if (!address) {
        *error = quoted + " is not an IPv4 address or block like 192.168.1.0/24";
        return std::nullopt;
    }
    int prefix = 32;
    if (slash != std::string_view::npos) {
        const std::string_view digits = text.substr(slash + 1);
        const auto [next, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), prefix);
        if (ec != std::errc() || next != digits.data() + digits.size() || digits.empty() ||
            prefix < 0 || prefix > 32) {
            *error = "the prefix length in " + quoted + " is not a number from 0 to 32";
            return std::nullopt;
        }
    }
    if (prefix < kWidestIpv4Prefix) {
        *error = quoted;
        error->append(" is wider than a /").append(std::to_string(kWidestIpv4Prefix));
        return std::nullopt;
    }
    return Ipv4Range{*address & PrefixMask(prefix), prefix};
}

std::vector<std::uint32_t> Ipv4Range::Hosts() const {
    const std::uint64_t size = std::uint64_t{1} << (32 - prefix);
    std::vector<std::uint32_t> hosts;
    if (size <= 2) {
        for (std::uint64_t i = 0; i < size; ++i) {
            hosts.push_back(network + static_cast<std::uint32_t>(i));
        }
        return hosts;
    }
    hosts.reserve(static_cast<std::size_t>(size - 2));
    for (std::uint64_t i = 1; i + 1 < size; ++i) {
        hosts.push_back(network + static_cast<std::uint32_t>(i));
    }
    return hosts;
}

std::string Ipv4Range::ToString() const {
    return Ipv4ToString(network) + '/' + std::to_string(prefix);
}
