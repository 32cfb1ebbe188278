#include "data/TextProtect.h"

#include <gtest/gtest.h>

#include "TestUtil.h"

namespace {

TEST(TextProtectTest, PlainBodyIsLowerCaseHex) {
    EXPECT_EQ(EncodeBody("abc", kTextPlain, 0x12345678), "616263");
    EXPECT_EQ(EncodeBody("a\r\nb", kTextPlain, 0), "610d0a62");
    EXPECT_EQ(EncodeBody("\xff\x82\xa0", kTextPlain, 0), "ff82a0");
    EXPECT_EQ(EncodeBody("", kTextPlain, 0), "");
}

TEST(TextProtectTest, ScramblingAddsKeyByteAndIndex) {
    // Key 0: byte i grows by i (mod 256).
    const std::string body(300, 'A');
    const std::string digits = EncodeBody(body, kTextScrambled, 0);
    EXPECT_EQ(digits.substr(0, 6), "414243");
    EXPECT_EQ(digits.substr(2 * 255, 4), "4041");  // 0x41 + 255 and 0x41 + 256 wrap
    // Key bytes are used least significant first.
    EXPECT_EQ(EncodeBody("\x01\x01\x01\x01\x01", kTextScrambled, 0x04030201), "0204060806");
}

TEST(TextProtectTest, ScrambledBodyReadsBackOnlyWithItsKey) {
    const std::string body = "メモ\r\n付箋 note";
    for (std::uint32_t key : {0u, 0x5A000000u, 0xDEADBEEFu}) {
        const std::string digits = EncodeBody(body, kTextScrambled, key);
        EXPECT_EQ(DecodeBody(digits, kTextScrambled, key), body);
        EXPECT_NE(DecodeBody(digits, kTextScrambled, key ^ 0x01010101u), body);
    }
}

TEST(TextProtectTest, ScrambledZeroBytesDoNotEndTheBody) {
    // Byte 1 of "\xff\xff" scrambles with key 0 to 0x00: decoding must
    // unscramble before looking for the end of the text.
    const std::string digits = EncodeBody("\xff\xff", kTextScrambled, 0);
    EXPECT_EQ(digits, "ff00");
    EXPECT_EQ(DecodeBody(digits, kTextScrambled, 0), "\xff\xff");
}

TEST(TextProtectTest, LongBodiesAreCutAt4095BytesOnACharacterBoundary) {
    EXPECT_EQ(EncodeBody(std::string(5000, 'x'), kTextPlain, 0).size(), 8190u);
    // A double-byte character at bytes 4094-4095 would be split: it is left out.
    const std::string body = std::string(4094, 'x') + "\x82\xa0" + "yy";
    const std::string digits = EncodeBody(body, kTextPlain, 0);
    EXPECT_EQ(digits.size(), 2u * 4094u);
    EXPECT_EQ(DecodeBody(digits, kTextPlain, 0), std::string(4094, 'x'));
}

struct DecodeCase {
    const char* digits;
    const char* body;
};

TEST(TextProtectTest, DecodingTable) {
    const DecodeCase cases[] = {
        {"616263", "abc"},
        {"414A4b", "AJK"},     // upper- and lower-case digits
        {"6g61", "\x60" "a"},  // 'g' counts as 0
        {"zz61", ""},          // a decoded zero byte ends the body
        {"61620063", "ab"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeBody(c.digits, kTextPlain, 0), c.body) << c.digits;
}

TEST(TextProtectTest, OddDigitCountGivesEmptyBodyAndTrace) {
    TraceCapture trace;
    EXPECT_EQ(DecodeBody("61626", kTextPlain, 0), "");
    EXPECT_EQ(trace.Text(), "受信データの文字数が奇数です\n");
}

TEST(TextProtectTest, DecodingStopsAt4095Bytes) {
    const std::string digits(2 * 5000, '7');
    EXPECT_EQ(DecodeBody(digits, kTextPlain, 0), std::string(4095, 'w'));
}

TEST(TextProtectTest, EncodingTracesTheLength) {
    TraceCapture trace;
    EncodeBody("abc", kTextScrambled, 1);
    EXPECT_EQ(trace.Text(), "strlen=3\nbyte len = 3\n");
}

}  // namespace
