#include "data/IniFile.h"

#include <gtest/gtest.h>

#include "TestUtil.h"

namespace {

struct StringCase {
    const char* contents;
    const char* section;
    const char* key;
    const char* expected;
};

TEST(IniFileTest, StringsFollowProfileSemantics) {
    const StringCase cases[] = {
        {"[S]\r\r\nK=v\r\r\n", "S", "K", "v"},
        {"[S]\nK=v", "s", "k", "v"},                         // names without regard to case
        {"[ S ]\n  K  =  v w  \n", "S", "K", "v w"},         // blanks trimmed
        {"[S]\nK=\t\"quoted\" \n", "S", "K", "quoted"},      // one pair of quotes removed
        {"[S]\nK='single'\n", "S", "K", "single"},
        {"[S]\nK=\"\"x\"\"\n", "S", "K", "\"x\""},          // only one pair
        {"[S]\nK=\"open\n", "S", "K", "\"open"},            // unmatched quote kept
        {"[S]\nK=\"mixed'\n", "S", "K", "\"mixed'"},
        {"[S]\nK=a=b\n", "S", "K", "a=b"},                   // first '=' splits
        {"[S]\nK=first\nK=second\n", "S", "K", "first"},     // first key counts
        {"[S]\nK=1\n[S]\nK=2\nL=3\n", "S", "L", "<def>"},    // a repeated section is not read
        {"[S]\nK=\n", "S", "K", ""},                         // empty value is not the default
        {"[S]\nK\n", "S", "K", "<def>"},                     // no '=' defines nothing
        {"K=v\n[S]\n", "S", "K", "<def>"},                   // keys before any section
        {"[S]\nK=v\n", "T", "K", "<def>"},
        {"[S]\rK=v\r", "S", "K", "v"},                       // CR alone ends a line
        {"[S] trailing]\nK=v\n", "S] trailing", "K", "v"},   // name up to the last ']'
        {"[\x83\x61]\nK=v\n", "\x83\x41", "K", "<def>"},     // trail bytes are not case-folded
    };
    for (const auto& c : cases) {
        const CIniFile ini = CIniFile::Parse(c.contents);
        EXPECT_EQ(ini.GetString(c.section, c.key, "<def>"), c.expected) << c.contents;
    }
}

TEST(IniFileTest, StringsAreCutWithoutSplittingCharacters) {
    const std::string longValue(9000, 'x');
    const CIniFile ini = CIniFile::Parse("[S]\nK=" + longValue + "\nJ=ab\x82\xa0\n");
    EXPECT_EQ(ini.GetString("S", "K", "").size(), CIniFile::kMaxString);
    EXPECT_EQ(ini.GetString("S", "J", "", 3), "ab");
    EXPECT_EQ(ini.GetString("S", "J", "", 4), "ab\x82\xa0");
}

struct IntCase {
    const char* value;  // null: key missing
    std::int32_t expected;
};

TEST(IniFileTest, IntegersAreTheLeadingSignedNumber) {
    const IntCase cases[] = {
        {"42", 42},       {"-17", -17},         {"+5", 5},          {"12abc", 12},
        {"abc", 0},       {"-", 0},             {"", 99},           {nullptr, 99},
        {"  7  ", 7},     {"\"8\"", 8},         {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},       {"4294967297", 1},  // wraps like the 32-bit conversion
    };
    for (const auto& c : cases) {
        const std::string contents = c.value ? std::string("[S]\nK=") + c.value + "\n" : std::string("[S]\n");
        EXPECT_EQ(CIniFile::Parse(contents).GetInt("S", "K", 99), c.expected) << (c.value ? c.value : "(missing)");
    }
}

TEST(IniFileTest, ValuesAreCStrings) {
    const CIniFile ini = CIniFile::Parse(std::string("[S]\nK=ab\0cd\nN=\0 7\nQ=\"x \0\"\n", 26));
    EXPECT_EQ(ini.GetString("S", "K", ""), "ab");
    EXPECT_EQ(ini.GetInt("S", "N", 99), 99);  // empty up to the zero byte
    EXPECT_EQ(ini.GetString("S", "Q", ""), "\"x");
}

TEST(IniFileTest, KeysAreFoundInAnyOrder) {
    const CIniFile ini = CIniFile::Parse("[S]\nA=1\nB=2\nC=3\n[T]\nA=4\n");
    // Ask backwards, forwards and across sections: the search hint must not
    // hide any key.
    EXPECT_EQ(ini.GetInt("S", "C", 0), 3);
    EXPECT_EQ(ini.GetInt("S", "A", 0), 1);
    EXPECT_EQ(ini.GetInt("S", "B", 0), 2);
    EXPECT_EQ(ini.GetInt("T", "A", 0), 4);
    EXPECT_EQ(ini.GetInt("S", "C", 0), 3);
    EXPECT_EQ(ini.GetInt("S", "D", -1), -1);
}

TEST(IniFileTest, RepeatedKeysAfterTheHintStillGiveTheFirst) {
    const CIniFile ini = CIniFile::Parse("[S]\nK=1\nA=2\nK=3\n");
    EXPECT_EQ(ini.GetInt("S", "A", 0), 2);  // hint now points at the second K
    EXPECT_EQ(ini.GetInt("S", "K", 0), 1);
}

TEST(IniFileTest, MissingFileReadsAsEmpty) {
    TempDir dir;
    const CIniFile ini = CIniFile::Load(dir.File("absent.ini"));
    EXPECT_FALSE(ini.HasSection("SYSTEM"));
    EXPECT_EQ(ini.GetInt("SYSTEM", "TACKLETNUM", 0), 0);
}

TEST(IniFileTest, AFileBeyondTheGivenSizeIsNotRead) {
    TempDir dir;
    const std::string path = dir.File("big.ini");
    WriteBytes(path, "[S]\nK=" + std::string(100, 'v') + "\n");  // 107 bytes
    const struct {
        std::size_t maxBytes;
        CIniFile::LoadState state;
    } cases[] = {{106, CIniFile::LoadState::TooLarge}, {107, CIniFile::LoadState::Read}};
    for (const auto& c : cases) {
        CIniFile::LoadState state;
        const CIniFile ini = CIniFile::Load(path, &state, c.maxBytes);
        EXPECT_EQ(state, c.state) << c.maxBytes;
        EXPECT_EQ(ini.HasSection("S"), c.state == CIniFile::LoadState::Read);
    }
}

TEST(IniFileTest, SurvivesBeingMoved) {
    // Short contents live inside the string object itself; the parsed views
    // must still be valid after the reader is moved.
    CIniFile a = CIniFile::Parse("[S]\nK=v\n");
    CIniFile b = std::move(a);
    EXPECT_EQ(b.GetString("S", "K", ""), "v");
}

}  // namespace
