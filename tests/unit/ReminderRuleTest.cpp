#include "data/ReminderRule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LocalMinute At(int y, int mo, int d, int h, int mi) {
    LocalMinute m = 0;
    EXPECT_TRUE(ToLocalMinute(y, mo, d, h, mi, &m)) << y << "-" << mo << "-" << d << " " << h << ":" << mi;
    return m;
}

constexpr std::int32_t kSun = 1 << 0, kMon = 1 << 1, kWed = 1 << 3, kThu = 1 << 4, kFri = 1 << 5, kSat = 1 << 6;

TEST(ReminderRuleTest, CalendarMinutesAndWeekdays) {
    struct Case {
        int y, mo, d, h, mi, weekday;
    };
    const Case cases[] = {
        {1970, 1, 1, 0, 0, 4},  {2026, 12, 10, 15, 30, 4}, {2024, 2, 29, 23, 59, 4},
        {2027, 1, 3, 0, 0, 0},  {2000, 3, 1, 12, 0, 3},    {2038, 1, 19, 3, 14, 2},
    };
    for (const Case& k : cases) {
        const LocalClock c = ToLocalClock(At(k.y, k.mo, k.d, k.h, k.mi));
        EXPECT_EQ(c.year, k.y);
        EXPECT_EQ(c.month, k.mo);
        EXPECT_EQ(c.day, k.d);
        EXPECT_EQ(c.hour, k.h);
        EXPECT_EQ(c.minute, k.mi);
        EXPECT_EQ(c.weekday, k.weekday) << k.y << "-" << k.mo << "-" << k.d;
    }
    EXPECT_EQ(At(2026, 12, 11, 0, 0) - At(2026, 12, 10, 23, 59), 1);
    LocalMinute m = 0;
    EXPECT_FALSE(ToLocalMinute(2027, 2, 29, 9, 0, &m));
    EXPECT_FALSE(ToLocalMinute(2026, 13, 1, 9, 0, &m));
    EXPECT_FALSE(ToLocalMinute(2026, 4, 31, 9, 0, &m));
    EXPECT_FALSE(ToLocalMinute(2026, 4, 1, 24, 0, &m));
    EXPECT_FALSE(ToLocalMinute(2026, 4, 1, 9, 60, &m));
    EXPECT_FALSE(ToLocalMinute(1969, 12, 31, 9, 0, &m));
}

// 2026-12-10 is a Thursday.
TEST(ReminderRuleTest, DueOrNot) {
    const LocalMinute setAt = At(2026, 12, 10, 8, 0);
    auto once = [&](int y, int mo, int d, int h, int mi) { return CReminderRule::Once(y, mo, d, h, mi, setAt); };
    auto weekly = [&](std::int32_t mask, int h, int mi, LocalMinute since) {
        return CReminderRule::Weekly(mask, h, mi, since);
    };
    CReserveData shown = once(2026, 12, 10, 9, 0);
    shown.due = 1;
    CReserveData disabledOnce = once(2026, 12, 10, 9, 0);
    disabledOnce.enable = 0;
    CReserveData disabledWeekly = weekly(CReminderRule::kAllWeekdays, 9, 0, setAt);
    disabledWeekly.enable = 0;
    CReserveData badDate = once(2026, 2, 30, 9, 0);
    CReserveData unknownType = once(2026, 12, 10, 9, 0);
    unknownType.type = 7;

    struct Case {
        const char* what;
        CReserveData block;
        LocalMinute now;
        bool due;
    };
    const Case cases[] = {
        {"no reminder", CReminderRule::Off(), At(2030, 1, 1, 0, 0), false},
        {"once, a minute early", once(2026, 12, 10, 9, 0), At(2026, 12, 10, 8, 59), false},
        {"once, on the minute", once(2026, 12, 10, 9, 0), At(2026, 12, 10, 9, 0), true},
        {"once, fell due while not running", once(2026, 12, 10, 9, 0), At(2026, 12, 14, 7, 0), true},
        {"once, already shown", shown, At(2026, 12, 14, 7, 0), false},
        {"once, disabled", disabledOnce, At(2026, 12, 14, 7, 0), false},
        {"once, no such date", badDate, At(2030, 1, 1, 0, 0), false},
        {"unknown type", unknownType, At(2030, 1, 1, 0, 0), false},
        {"weekly today, before the time", weekly(kThu, 9, 0, setAt), At(2026, 12, 10, 8, 59), false},
        {"weekly today, at the time", weekly(kThu, 9, 0, setAt), At(2026, 12, 10, 9, 0), true},
        {"weekly, set after today's time", weekly(kThu, 9, 0, At(2026, 12, 10, 9, 30)), At(2026, 12, 16, 23, 59),
         false},
        {"weekly, set after today's time, next week", weekly(kThu, 9, 0, At(2026, 12, 10, 9, 30)),
         At(2026, 12, 17, 9, 0), true},
        {"weekly, other days only", weekly(kMon | kWed | kFri, 9, 0, setAt), At(2026, 12, 10, 23, 59), false},
        {"weekly, the next chosen day", weekly(kMon | kWed | kFri, 9, 0, setAt), At(2026, 12, 11, 9, 0), true},
        {"weekly, over midnight and the week's end", weekly(kSun, 0, 0, At(2026, 12, 12, 23, 59)),
         At(2026, 12, 13, 0, 0), true},
        {"weekly, Saturday night before Sunday", weekly(kSun, 0, 0, At(2026, 12, 12, 23, 58)),
         At(2026, 12, 12, 23, 59), false},
        {"weekly, missed while not running", weekly(kSat, 18, 0, At(2026, 11, 1, 0, 0)), At(2026, 12, 10, 7, 0),
         true},
        {"weekly, no weekday", weekly(0, 9, 0, setAt), At(2030, 1, 1, 0, 0), false},
        {"weekly, disabled", disabledWeekly, At(2030, 1, 1, 0, 0), false},
        {"weekly, no such time", weekly(kThu, 25, 0, setAt), At(2030, 1, 1, 0, 0), false},
    };
    for (const Case& k : cases) EXPECT_EQ(CReminderRule(k.block).IsDue(k.now), k.due) << k.what;
}

TEST(ReminderRuleTest, DueAtIsTheNextOccurrence) {
    const LocalMinute thu = At(2026, 12, 10, 10, 0);
    LocalMinute at = 0;
    ASSERT_TRUE(CReminderRule(CReminderRule::Weekly(kMon | kSat, 7, 45, thu)).DueAt(&at));
    EXPECT_EQ(at, At(2026, 12, 12, 7, 45));
    ASSERT_TRUE(CReminderRule(CReminderRule::Weekly(kThu, 10, 0, thu)).DueAt(&at));
    EXPECT_EQ(at, At(2026, 12, 17, 10, 0)) << "the minute it was set counts as seen";
    ASSERT_TRUE(CReminderRule(CReminderRule::Once(2027, 1, 1, 0, 0, thu)).DueAt(&at));
    EXPECT_EQ(at, At(2027, 1, 1, 0, 0));
    EXPECT_FALSE(CReminderRule(CReminderRule::Off()).DueAt(&at));
}

// Minute by minute over two weeks, firing whenever due: a one-time reminder
// fires once, a weekly one on each chosen day once, even when the check
// misses its exact minute.
TEST(ReminderRuleTest, FiresOncePerOccurrence) {
    const LocalMinute start = At(2026, 12, 10, 8, 0);
    struct Case {
        const char* what;
        CReserveData block;
        int step;  // minutes between checks
        std::vector<LocalMinute> expected;
    };
    const Case cases[] = {
        {"once", CReminderRule::Once(2026, 12, 12, 13, 5, start), 1, {At(2026, 12, 12, 13, 5)}},
        {"weekly Mon and Thu",
         CReminderRule::Weekly(kMon | kThu, 9, 0, start),
         1,
         {At(2026, 12, 10, 9, 0), At(2026, 12, 14, 9, 0), At(2026, 12, 17, 9, 0), At(2026, 12, 21, 9, 0)}},
        {"weekly, checked every 7 minutes",
         CReminderRule::Weekly(kSat, 23, 58, start),
         7,
         {At(2026, 12, 13, 0, 3), At(2026, 12, 20, 0, 3)}},
    };
    for (const Case& k : cases) {
        CReserveData block = k.block;
        std::vector<LocalMinute> fired;
        for (LocalMinute now = start; now < start + 14 * 24 * 60; now += k.step) {
            if (!CReminderRule(block).IsDue(now)) continue;
            fired.push_back(now);
            CReminderRule::MarkFired(block, now);
        }
        EXPECT_EQ(fired, k.expected) << k.what;
    }
}

}  // namespace
