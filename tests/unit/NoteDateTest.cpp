#include "data/NoteDate.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

namespace {

std::tm Local(PvTime t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return tm;
}

TEST(NoteDateTest, TwelveDigitsReadAsLocalTime) {
    PvTime t = 0;
    ASSERT_TRUE(ParseNoteDate("201204221530", &t));
    const std::tm tm = Local(t);
    EXPECT_EQ(tm.tm_year, 112);
    EXPECT_EQ(tm.tm_mon, 3);
    EXPECT_EQ(tm.tm_mday, 22);
    EXPECT_EQ(tm.tm_hour, 15);
    EXPECT_EQ(tm.tm_min, 30);
    EXPECT_EQ(tm.tm_sec, 0);
    EXPECT_EQ(FormatNoteDate(t), "201204221530");
}

TEST(NoteDateTest, WritingDropsSeconds) {
    PvTime t = 0;
    ASSERT_TRUE(ParseNoteDate("203001010000", &t));
    EXPECT_EQ(FormatNoteDate(t + 59), "203001010000");
}

TEST(NoteDateTest, RefusedValuesLeaveTheTimeAlone) {
    const char* refused[] = {
        "2012042215",     // ten characters
        "2012042215300",  // thirteen
        "",
        "189912312359",   // year below 1900
        "201200221530",   // month 0
        "201213221530",   // month 13
        "201204001530",   // day 0
        "201204321530",   // day 32
        "201202301530",   // 30 February
        "201204312359",   // 31 April
        "201204222430",   // hour 24
        "201204221560",   // minute 60
        "2012-4221530",   // not a digit
        " 01204221530",
    };
    for (const char* text : refused) {
        PvTime t = 12345;
        EXPECT_FALSE(ParseNoteDate(text, &t)) << text;
        EXPECT_EQ(t, 12345) << text;
    }
}

// Switches the process to a time zone with daylight saving while alive.
class ZoneWithDaylightSaving {
public:
    ZoneWithDaylightSaving() {
        const char* old = std::getenv("TZ");
        m_hadOld = old != nullptr;
        if (m_hadOld) m_old = old;
        setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
        tzset();
    }
    ~ZoneWithDaylightSaving() {
        if (m_hadOld) setenv("TZ", m_old.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    bool m_hadOld = false;
    std::string m_old;
};

TEST(NoteDateTest, EachDateTakesTheOffsetOfItsSeason) {
    ZoneWithDaylightSaving zone;
    struct Case {
        const char* text;
        PvTime utc;
    };
    const Case cases[] = {
        {"202301151200", 1673802000},  // winter, UTC-5
        {"202307151200", 1689436800},  // summer, UTC-4
        {"202303120130", 1678602600},  // just before the change to summer time
        {"202303120330", 1678606200},  // just after it
    };
    for (const auto& c : cases) {
        PvTime t = 0;
        ASSERT_TRUE(ParseNoteDate(c.text, &t)) << c.text;
        EXPECT_EQ(t, c.utc) << c.text;
        EXPECT_EQ(FormatNoteDate(t), c.text);
    }
}

TEST(NoteDateTest, LeapDayIsAccepted) {
    PvTime t = 0;
    EXPECT_TRUE(ParseNoteDate("201202291200", &t));
    EXPECT_EQ(FormatNoteDate(t), "201202291200");
}

}  // namespace
