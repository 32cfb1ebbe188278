#include "data/TextProtect.h"

#include <algorithm>

#include "app/Trace.h"
#include "data/MbString.h"

namespace {

unsigned char KeyByte(std::uint32_t key, std::size_t i) {
    return static_cast<unsigned char>(key >> (8 * (i % 4)));
}

struct DigitTable {
    unsigned char value[256] = {};
    constexpr DigitTable() {
        for (int c = '0'; c <= '9'; ++c) value[c] = static_cast<unsigned char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c) value[c] = static_cast<unsigned char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c) value[c] = static_cast<unsigned char>(c - 'A' + 10);
    }
};
constexpr DigitTable kDigits;

constexpr char kHex[] = "0123456789abcdef";

}  // namespace

void Scramble(std::string& bytes, std::uint32_t key) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + KeyByte(key, i) + i);
    }
}

void Unscramble(std::string& bytes, std::uint32_t key) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) - KeyByte(key, i) - i);
    }
}

std::string EncodeBody(std::string_view body, int format, std::uint32_t key) {
    std::string bytes(body.substr(0, MbFitLength(body, kMaxBodyBytes)));
    Trace("strlen=%d\n", static_cast<int>(bytes.size()));
    if (format == kTextScrambled) Scramble(bytes, key);
    Trace("byte len = %d\n", static_cast<int>(bytes.size()));
    std::string digits(bytes.size() * 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        digits[2 * i] = kHex[b >> 4];
        digits[2 * i + 1] = kHex[b & 15];
    }
    return digits;
}

std::string DecodeBody(std::string_view digits, int format, std::uint32_t key) {
    if (digits.size() % 2 != 0) {
        Trace("受信データの文字数が奇数です\n");
        return std::string();
    }
    const std::size_t n = std::min(digits.size() / 2, kMaxBodyBytes);
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char hi = kDigits.value[static_cast<unsigned char>(digits[2 * i])];
        const unsigned char lo = kDigits.value[static_cast<unsigned char>(digits[2 * i + 1])];
        bytes[i] = static_cast<char>((hi << 4) | lo);
    }
    if (format == kTextScrambled) Unscramble(bytes, key);
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string::npos) bytes.resize(zero);
    return bytes;
}
