// The tests' one hex notation for bytes: "F5 35 06", "F53506" and mixtures all read the same;
// characters that are not hex digits only separate. A lone digit is one byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes FromHex(std::string_view hex) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    Bytes bytes;
    std::string token;
    auto flush = [&] {
        if (token.size() == 1) {
            token.insert(token.begin(), '0');
        }
        for (std::size_t i = 0; i + 1 < token.size(); i += 2) {
            bytes.push_back(static_cast<std::uint8_t>(digit(token[i]) * 16 + digit(token[i + 1])));
        }
        token.clear();
    };
    for (char c : hex) {
        if (digit(c) >= 0) {
            token += c;
        } else {
            flush();
        }
    }
    flush();
    return bytes;
}

inline std::string ToHex(std::span<const std::uint8_t> bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}
