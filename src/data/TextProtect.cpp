#include "data/TextProtect.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "data/CodePage.h"
#include "data/Trace.h"

namespace {

struct KeyBytes {
    unsigned char k[4];
    explicit KeyBytes(std::uint32_t key) {
        for (int i = 0; i < 4; ++i) k[i] = static_cast<unsigned char>(key >> (8 * i));
    }
};

struct DigitTable {
    unsigned char value[256] = {};
    constexpr DigitTable() {
        for (int c = '0'; c <= '9'; ++c) value[c] = static_cast<unsigned char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c) value[c] = static_cast<unsigned char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c) value[c] = static_cast<unsigned char>(c - 'A' + 10);
    }
};
constexpr DigitTable kDigits;

// Two lower-case digits per byte value ("%2.2x").
struct HexPairs {
    char pair[256][2] = {};
    constexpr HexPairs() {
        constexpr char digits[] = "0123456789abcdef";
        for (int b = 0; b < 256; ++b) {
            pair[b][0] = digits[b >> 4];
            pair[b][1] = digits[b & 15];
        }
    }
};
constexpr HexPairs kHexPairs;

}  // namespace

void Scramble(std::string& bytes, std::uint32_t key) {
    const KeyBytes k(key);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + k.k[i % 4] + i);
    }
}

void Unscramble(std::string& bytes, std::uint32_t key) {
    const KeyBytes k(key);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) - k.k[i % 4] - i);
    }
}

std::string EncodeBody(std::string_view body, int format, std::uint32_t key) {
    const std::string_view stored = StoredBody(body);
    std::string digits(stored.size() * 2, '\0');
    EncodeStoredBody(digits.data(), stored, format, key);
    return digits;
}

std::string_view StoredBody(std::string_view body) { return body.substr(0, CodePageFitLength(body, kMaxBodyBytes)); }

std::string TextOfExactBytes(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : TextOfCodePage(bytes);
}

void EncodeStoredBody(char* out, std::string_view stored, int format, std::uint32_t key) {
    const std::size_t n = stored.size();
    Trace("strlen=%d\n", static_cast<int>(n));
    Trace("byte len = %d\n", static_cast<int>(n));
    // Each byte, scrambled for format 1, becomes its two digits.
    const KeyBytes k(key);
    const bool scrambled = format == kTextScrambled;
    for (std::size_t i = 0; i < n; ++i) {
        auto b = static_cast<unsigned char>(stored[i]);
        if (scrambled) b = static_cast<unsigned char>(b + k.k[i % 4] + i);
        std::memcpy(out + 2 * i, kHexPairs.pair[b], 2);
    }
}

std::string DecodeBody(std::string_view digits, int format, std::uint32_t key) {
    if (digits.size() % 2 != 0) {
        Trace("受信データの文字数が奇数です\n");
        return std::string();
    }
    const std::size_t n = std::min(digits.size() / 2, kMaxBodyBytes);
    // The bytes are unscrambled as they are decoded; the body ends at the
    // first byte that is zero after unscrambling.
    const KeyBytes k(key);
    const bool scrambled = format == kTextScrambled;
    std::string bytes(n, '\0');
    std::size_t i = 0;
    for (; i < n; ++i) {
        const unsigned char hi = kDigits.value[static_cast<unsigned char>(digits[2 * i])];
        const unsigned char lo = kDigits.value[static_cast<unsigned char>(digits[2 * i + 1])];
        auto b = static_cast<unsigned char>((hi << 4) | lo);
        if (scrambled) b = static_cast<unsigned char>(b - k.k[i % 4] - i);
        if (b == 0) break;
        bytes[i] = static_cast<char>(b);
    }
    bytes.resize(i);
    return bytes;
}

std::string EncodeExactBytes(std::string_view bytes, int format, std::uint32_t key) {
    std::string digits(bytes.size() * 2, '\0');
    const KeyBytes k(key);
    const bool scrambled = format == kTextScrambled;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (scrambled) b = static_cast<unsigned char>(b + k.k[i % 4] + i);
        std::memcpy(digits.data() + 2 * i, kHexPairs.pair[b], 2);
    }
    return digits;
}

bool DecodeExactBytes(std::string_view digits, int format, std::uint32_t key, std::string* out) {
    if (digits.size() % 2 != 0) return false;
    auto isDigit = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    const KeyBytes k(key);
    const bool scrambled = format == kTextScrambled;
    std::string bytes(digits.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char h = digits[2 * i];
        const char l = digits[2 * i + 1];
        if (!isDigit(h) || !isDigit(l)) return false;
        auto b = static_cast<unsigned char>((kDigits.value[static_cast<unsigned char>(h)] << 4) |
                                            kDigits.value[static_cast<unsigned char>(l)]);
        if (scrambled) b = static_cast<unsigned char>(b - k.k[i % 4] - i);
        bytes[i] = static_cast<char>(b);
    }
    *out = std::move(bytes);
    return true;
}

std::uint32_t UsualKeyCheck(std::string_view usualAsRead) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : usualAsRead) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string ExactKeyValue(std::string_view exactBytes, std::string_view usualAsRead, int format, std::uint32_t key) {
    char check[16];
    std::snprintf(check, sizeof check, "-%08x", static_cast<unsigned>(UsualKeyCheck(usualAsRead)));
    return EncodeExactBytes(exactBytes, format, key) + check;
}

bool ParseExactKeyValue(std::string_view value, int format, std::uint32_t key, std::string* exactBytes,
                        bool* hasCheck, std::uint32_t* check) {
    *hasCheck = false;
    const std::size_t dash = value.find('-');
    if (dash != std::string_view::npos) {
        const std::string_view digits = value.substr(dash + 1);
        if (digits.size() != 8) return false;
        std::uint32_t v = 0;
        for (char c : digits) {
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (d < 0) return false;
            v = v << 4 | static_cast<std::uint32_t>(d);
        }
        *hasCheck = true;
        *check = v;
        value = value.substr(0, dash);
    }
    return DecodeExactBytes(value, format, key, exactBytes);
}
