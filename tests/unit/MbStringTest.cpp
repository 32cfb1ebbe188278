#include "data/MbString.h"

#include <gtest/gtest.h>

namespace {

// "\x83\x61" is a double-byte character whose trail byte is 'a'; "\x95\x5c"
// one whose trail byte is a backslash.
struct UpperCase {
    const char* in;
    const char* out;
};

TEST(MbStringTest, UpperCaseLeavesTrailBytes) {
    const UpperCase cases[] = {
        {"notepad.exe", "NOTEPAD.EXE"},
        {"\x83\x61" "b", "\x83\x61" "B"},
        {"a\x83\x61" "a", "A\x83\x61" "A"},
        {"\xb1" "a", "\xb1" "A"},  // half-width katakana is one byte
        {"x\x83", "X\x83"},         // a lead byte at the end stands alone
        {"\x82\x81\x82\x9a", "\x82\x60\x82\x79"},  // full-width a, z -> A, Z
        {"\x82\x60\x82\x80", "\x82\x60\x82\x80"},  // full-width A and the byte before a stay
        {"\x82\x9b", "\x82\x9b"},                    // past full-width z
        {"\x83\xbf\x83\xd6", "\x83\x9f\x83\xb6"},  // Greek alpha, omega
        {"\x84\x70\x84\x7e\x84\x80\x84\x91", "\x84\x40\x84\x4e\x84\x4f\x84\x60"},  // Cyrillic a, n, o, ya
        {"\x81\x61", "\x81\x61"},                    // a trail byte 'a' of another character
    };
    for (const auto& c : cases) EXPECT_EQ(MbToUpper(c.in), c.out) << c.in;
}

struct FindCase {
    const char* haystack;
    const char* needle;
    std::size_t pos;
};

TEST(MbStringTest, FindStartsOnlyOnCharacterBoundaries) {
    const auto npos = std::string_view::npos;
    const FindCase cases[] = {
        {"Untitled - Notepad", "Notepad", 11},
        {"abc", "", 0},
        {"", "", 0},
        {"", "a", npos},
        {"\x83\x61", "a", npos},                  // 'a' only as a trail byte
        {"\x83\x61" "a", "a", 2},                  // the real 'a' after it
        {"\x95\x5c" "\\x", "\\x", 2},             // backslash trail byte skipped
        {"\x82\xa0\x82\xa2", "\xa0\x82", npos},  // straddles two characters
        {"\x82\xa0\x82\xa2", "\x82\xa2", 2},
        {"aaab", "aab", 1},                       // restarts inside a partial match
        {"abababc", "ababc", 2},
        {"aaaa", "aa", 0},
        {"\x83\x83\x61", "\x83\x61", npos},       // only across a character
        {"\x83\x83\x61\x83\x61", "\x83\x61", 3},  // then a real one
        {"x\x83", "\x83", 1},                     // a lone lead byte at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MbFind(c.haystack, c.needle), c.pos) << c.haystack << " / " << c.needle;
    }
}

// A megabyte of one letter, searched for a long run of it that never
// occurs whole: the answer comes in one pass over the text (the old search
// compared the whole needle again at every position).
TEST(MbStringTest, FindIsRightOnLongRepetitiveTexts) {
    const std::string haystack = std::string(1 << 20, 'a') + "b" + std::string(64, 'a');
    const std::string needle = std::string(64 * 1024, 'a') + "b";
    EXPECT_EQ(MbFind(haystack, needle), (1u << 20) - 64 * 1024);
    EXPECT_EQ(MbFind(haystack, needle + "a"), (1u << 20) - 64 * 1024);
    EXPECT_EQ(MbFind(haystack, needle + "b"), std::string_view::npos);
    // Runs of the double-byte character "\x82\x82" after one letter: the
    // characters start at the odd bytes, and a byte match at an even one
    // is passed over.
    std::string wide = "a";
    for (int i = 0; i < 1000; ++i) wide += "\x82\x82";
    wide += "\x82" "b";
    EXPECT_EQ(MbFind(wide, "\x82\x82\x82\x82"), 1u);
    EXPECT_EQ(MbFind(wide, "\x82" "b"), 2001u);
    EXPECT_EQ(MbFind(wide, "\x82\x82" "b"), std::string_view::npos);
}

struct CutCase {
    const char* text;
    std::size_t limit;
    const char* out;
};

TEST(MbStringTest, CutNeverSplitsADoubleByteCharacter) {
    const CutCase cases[] = {
        {"abcdef", 4, "abcd"},
        {"ab", 4, "ab"},
        {"a\x82\xa0" "b", 2, "a"},
        {"a\x82\xa0" "b", 3, "a\x82\xa0"},
        {"\x82\xa0\x82\xa0", 3, "\x82\xa0"},
        {"ab\x82", 3, "ab\x82"},  // a lone lead byte at the end counts as one
    };
    for (const auto& c : cases) EXPECT_EQ(MbCut(c.text, c.limit), c.out) << c.text << " @" << c.limit;
}

TEST(MbStringTest, FindLastSkipsTrailBytes) {
    // "\x83\x5c" is "ソ" and "\x95\x5c" is "表": their second byte is a backslash.
    EXPECT_EQ(MbFindLast("C:\\\x83\x5c\x83\x74\x83\x67\\P.exe", '\\'), 9u);
    EXPECT_EQ(MbFindLast("C:\\\x95\x5c", '\\'), 2u);
    EXPECT_EQ(MbFindLast("\x95\x5c", '\\'), std::string_view::npos);
    EXPECT_EQ(MbFindLast("a\\b\\c", '\\'), 3u);
}


struct DistanceCase {
    const char* from;
    const char* to;
    bool anywhere;
    std::size_t distance;
};

TEST(MbStringTest, EditDistanceCountsCharactersNotBytes) {
    const DistanceCase cases[] = {
        {"", "", false, 0},
        {"abc", "abc", false, 0},
        {"kitten", "sitting", false, 3},
        {"", "abc", false, 3},
        {"abc", "", false, 3},
        {"日本語", "日本", false, 1},            // one double-byte character is one edit
        {"メモ帳", "メモ鋼", false, 1},
        {"\x95\x5c", "\\", false, 1},             // a trail byte 0x5C is no backslash
        {"\x83\x61", "a", false, 1},              // nor is a trail byte 'a' the letter
        {"Notepad", "Untitled - Notepad", true, 0},
        {"Notepad", "Untitled - Notepat", true, 1},
        {"文書", "無題 - 文書1", true, 0},
        {"\x61", "\x83\x61", true, 1},            // the part never starts on a trail byte
        {"abc", "", true, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MbEditDistance(c.from, c.to, c.anywhere), c.distance) << c.from << " -> " << c.to;
}

}  // namespace
