#include "data/MbString.h"

#include <gtest/gtest.h>

namespace {

struct UpperCase {
    const char* in;
    const char* out;
};

TEST(MbStringTest, UpperCaseKeepsEveryCharacterBoundary) {
    const UpperCase cases[] = {
        {"notepad.exe", "NOTEPAD.EXE"},
        {"メモ帳.exe", "メモ帳.EXE"},
        {"ａｚｂ", "ＡＺＢ"},            // full-width a, z, b
        {"ＡＺ｛", "ＡＺ｛"},            // full-width capitals and the sign after z stay
        {"αωπ", "ΑΩΠ"},                  // Greek
        {"ς", "ς"},                      // final sigma has no capital of its own
        {"аняё", "АНЯЁ"},                // Cyrillic, with io
        {"müller", "MüLLER"},            // letters the code page lacks stay
        {"ｱa", "ｱA"},                    // half-width katakana
        {"x\xE3\x81", "X\xE3\x81"},      // a cut sequence at the end stands alone
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
        {"aaab", "aab", 1},  // restarts inside a partial match
        {"abababc", "ababc", 2},
        {"aaaa", "aa", 0},
        {"Report 😀 draft", "😀", 7},
        {"Report 😀 draft", "😃", npos},
        {"あい", "\x82\xE3", npos},  // straddles two characters
        {"あい", "い", 3},
        {"\xE3あ", "あ", 1},          // after a lone lead byte
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
}

struct CutCase {
    const char* text;
    std::size_t limit;
    const char* out;
};

TEST(MbStringTest, CutNeverSplitsACharacter) {
    const CutCase cases[] = {
        {"abcdef", 4, "abcd"},
        {"ab", 4, "ab"},
        {"aあb", 3, "a"},
        {"aあb", 4, "aあ"},
        {"😀😀", 7, "😀"},
        {"ab\xE3", 3, "ab\xE3"},  // a lone lead byte at the end counts as one
    };
    for (const auto& c : cases) EXPECT_EQ(MbCut(c.text, c.limit), c.out) << c.text << " @" << c.limit;
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
        {"😀", "😃", false, 1},                 // one character beyond the BMP is one edit
        {"Notepad", "Untitled - Notepad", true, 0},
        {"Notepad", "Untitled - Notepat", true, 1},
        {"文書", "無題 - 文書1", true, 0},
        {"abc", "", true, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MbEditDistance(c.from, c.to, c.anywhere), c.distance) << c.from << " -> " << c.to;
}

}  // namespace
