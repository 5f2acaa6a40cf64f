#include "files/DateTimeFormat.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <ctime>
#include <string>

#include "text/Charset.h"
#include "text/TextPrimitives.h"

namespace {

struct Pictures {
    const char* date;
    const char* time;
    const char* monthDay;
    const char* hourMinute;
    const char* minuteSecond;
};

// Written in UTF-8 here, turned into program text once.
constexpr Pictures kStyles[4] = {
    {"yyyy年MM月dd日 ", "hh时mm分ss秒", "MM月dd日", "hh时mm分", "mm分ss秒"},
    {"yyyy-MM-dd ", "hh:mm:ss", "MM-dd", "hh:mm", "mm:ss"},
    {"yyyy/MM/dd ", "hh/mm/ss", "MM/dd", "hh/mm", "mm/ss"},
    {"yyyyMMdd", "hhmmss", "MMdd", "hhmm", "mmss"},
};

// Days from 1 January 1970 of a proleptic Gregorian date (Howard Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Renders one picture: runs of the picture's letters become fields, everything else stays.
// Trail bytes of double-byte characters are never taken for letters.
GbkText renderPicture(std::string_view picture, const CalendarTime& t, bool isDate, bool force24) {
    GbkText out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const auto byte = static_cast<unsigned char>(picture[i]);
        if (isLeadByte(byte) && i + 1 < picture.size()) {
            out.append(picture.substr(i, 2));
            i += 2;
            continue;
        }
        const char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        const bool dateLetter = c == 'y' || c == 'M' || c == 'd';
        const bool timeLetter = c == 'h' || c == 'H' || c == 'm' || c == 's';
        if ((isDate && !dateLetter) || (!isDate && !timeLetter)) {
            out += c;
            ++i;
            continue;
        }
        auto field = [&](int value) { out += run >= 2 ? twoDigits(value) : std::to_string(value); };
        switch (c) {
            case 'y':
                if (run >= 3) {
                    const std::string year = std::to_string(t.year);
                    out += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
                } else {
                    field(t.year % 100);
                }
                break;
            case 'M':
                field(t.month);
                break;
            case 'd':
                field(t.day);
                break;
            case 'H':
                field(t.hour);
                break;
            case 'h':
                field(force24 ? t.hour : (t.hour % 12 == 0 ? 12 : t.hour % 12));
                break;
            case 'm':
                field(t.minute);
                break;
            case 's':
                field(t.second);
                break;
            default:
                break;
        }
        i += run;
    }
    return out;
}

}  // namespace

std::optional<CalendarTime> calendarFromAutomationDate(double date) {
    if (!std::isfinite(date) || date < -657434.0 || date >= 2958466.0) return std::nullopt;
    // The fraction is the time of day whatever the sign of the day count.
    const double wholeDays = std::trunc(date);
    const double fraction = std::fabs(date - wholeDays);
    long long days = static_cast<long long>(wholeDays);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += date < 0 ? -1 : 1;
    }
    CalendarTime t;
    civilFromDays(days + daysFromCivil(1899, 12, 30), t.year, t.month, t.day);
    if (t.year < 100 || t.year > 9999) return std::nullopt;
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

CalendarTime currentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool timeFormatUses24Hour(std::string_view timeFormat) {
    if (timeFormat.find("%I") != std::string_view::npos ||
        timeFormat.find("%l") != std::string_view::npos ||
        timeFormat.find("%r") != std::string_view::npos) {
        return false;
    }
    return true;
}

bool localeUses24Hour() {
    const locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return true;
    const bool result = timeFormatUses24Hour(nl_langinfo_l(T_FMT, user));
    freelocale(user);
    return result;
}

GbkText formatWithPictures(const CalendarTime& time, std::string_view datePicture,
                           std::string_view timePicture, bool force24) {
    GbkText out;
    if (datePicture.size() >= 3) out += renderPicture(datePicture, time, true, force24);
    if (timePicture.size() >= 3) out += renderPicture(timePicture, time, false, force24);
    return out;
}

GbkText formatDateTimeWith(const CalendarTime& time, int style, int part, bool uses24Hour) {
    if (style < 0 || style > 3) style = 0;
    if (part < 1 || part > 5) part = 0;
    const Pictures& row = kStyles[style];
    GbkText date;
    GbkText clock;
    switch (part) {
        case 0:
            date = utf8ToGbk(row.date);
            clock = utf8ToGbk(row.time);
            break;
        case 1:
            date = trimText(utf8ToGbk(row.date));
            break;
        case 2:
            date = utf8ToGbk(row.monthDay);
            break;
        case 3:
            clock = utf8ToGbk(row.time);
            break;
        case 4:
            clock = utf8ToGbk(row.hourMinute);
            break;
        default:
            clock = utf8ToGbk(row.minuteSecond);
            break;
    }
    if (uses24Hour) clock = replaceText(clock, "hh", "HH");
    return formatWithPictures(time, date, clock, false);
}

GbkText formatDateTime(std::optional<double> date, int style, int part) {
    std::optional<CalendarTime> time =
        date ? calendarFromAutomationDate(*date) : currentLocalTime();
    if (!time) return {};
    return formatDateTimeWith(*time, style, part, localeUses24Hour());
}
