#include "files/DateTimeFormat.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

const CalendarTime kAfternoon{2024, 5, 6, 13, 5, 9};

TEST(FormatDateTime, StylesAndParts) {
    struct Case {
        const char* name;
        int style;
        int part;
        bool uses24;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"defaults, 24-hour", 0, 0, true, G("2024年05月06日 13时05分09秒")},
        {"defaults, 12-hour", 0, 0, false, G("2024年05月06日 01时05分09秒")},
        {"style 1", 1, 0, true, "2024-05-06 13:05:09"},
        {"style 2", 2, 0, true, "2024/05/06 13/05/09"},
        {"style 3 without separators", 3, 0, true, "20240506130509"},
        {"date only, no trailing blank", 1, 1, true, "2024-05-06"},
        {"month and day", 0, 2, true, G("05月06日")},
        {"time only", 0, 3, true, G("13时05分09秒")},
        {"hours and minutes", 1, 4, true, "13:05"},
        {"hours and minutes, 12-hour", 1, 4, false, "01:05"},
        {"minutes and seconds", 2, 5, true, "05/09"},
        {"style 7 is style 0", 7, 0, true, G("2024年05月06日 13时05分09秒")},
        {"style -1 is style 0", -1, 1, true, G("2024年05月06日")},
        {"part 9 is part 0", 1, 9, true, "2024-05-06 13:05:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatDateTimeWith(kAfternoon, c.style, c.part, c.uses24), c.text);
    }
    EXPECT_EQ(formatDateTimeWith({2024, 5, 6, 0, 30, 0}, 1, 3, false), "12:30:00");
    EXPECT_EQ(formatDateTimeWith({2024, 5, 6, 12, 30, 0}, 1, 3, false), "12:30:00");
    EXPECT_EQ(formatDateTimeWith({987, 1, 2, 3, 4, 5}, 3, 0, true), "09870102030405");
}

TEST(FormatDateTime, AutomationDates) {
    struct Case {
        double date;
        std::string text;
    };
    // 45418 is 6 May 2024; 0.5 noon; negative days keep a positive time of day.
    const std::vector<Case> cases = {
        {45418.0 + (13 * 3600 + 5 * 60 + 9) / 86400.0, "2024-05-06 13:05:09"},
        {0.0, "1899-12-30 00:00:00"},
        {2.5, "1900-01-01 12:00:00"},
        {-1.25, "1899-12-29 06:00:00"},
        {45418.99999999, "2024-05-07 00:00:00"},
        {2958465.0, "9999-12-31 00:00:00"},
        {-657434.0, "0100-01-01 00:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        const std::optional<CalendarTime> t = calendarFromAutomationDate(c.date);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(formatDateTimeWith(*t, 1, 0, true), c.text);
    }
    EXPECT_FALSE(calendarFromAutomationDate(3e6).has_value());
    EXPECT_FALSE(calendarFromAutomationDate(-7e5).has_value());
    EXPECT_FALSE(calendarFromAutomationDate(0.0 / 0.0).has_value());
    EXPECT_EQ(formatDateTime(1e300), "");
}

TEST(FormatDateTime, PicturesAndClock) {
    EXPECT_EQ(formatWithPictures(kAfternoon, "yy", "hh", false), "");  // under 3 bytes
    EXPECT_EQ(formatWithPictures(kAfternoon, "d/M/yy ", "H:m:s", false), "6/5/24 13:5:9");
    EXPECT_EQ(formatWithPictures(kAfternoon, "", "hh:mm", true), "13:05");
    EXPECT_EQ(formatWithPictures(kAfternoon, "dd hh", "ss yy", false), "06 hh09 yy");
    EXPECT_TRUE(timeFormatUses24Hour("%H:%M:%S"));
    EXPECT_TRUE(timeFormatUses24Hour("%T"));
    EXPECT_TRUE(timeFormatUses24Hour(""));
    EXPECT_FALSE(timeFormatUses24Hour("%I:%M:%S %p"));
    EXPECT_FALSE(timeFormatUses24Hour("%r"));
}

TEST(FormatDateTime, NowInTheCLocale) {
    setenv("LC_ALL", "C", 1);  // the C locale writes %H:%M:%S
    EXPECT_TRUE(localeUses24Hour());
    EXPECT_EQ(formatDateTime(std::nullopt, 1, 0).size(), 19u);
    unsetenv("LC_ALL");
}

TEST(FormatDateTime, TwelveHourLocale) {
    const locale_t english = newlocale(LC_TIME_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
    if (english == static_cast<locale_t>(nullptr)) {
        GTEST_SKIP() << "en_US.UTF-8 is not installed here";
    }
    freelocale(english);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_FALSE(localeUses24Hour());
    unsetenv("LC_ALL");
}

}  // namespace
