#pragma once

#include <optional>
#include <string_view>

#include "text/GbkText.h"

struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// An automation date (days since 30 December 1899, the fraction the time of day) as calendar
// fields, to the nearest second; nothing outside the years 100 to 9999 or for NaN.
std::optional<CalendarTime> calendarFromAutomationDate(double date);
// The local time now, in whole seconds.
CalendarTime currentLocalTime();

// Whether the user's locale writes times with a 24-hour clock (true when it says nothing).
bool localeUses24Hour();
// The same judgement from a strftime time format such as "%H:%M:%S" or "%I:%M:%S %p".
bool timeFormatUses24Hour(std::string_view timeFormat);

// The date picture's text followed by the time picture's; pictures shorter than 3 bytes give
// nothing. Date letters: yyyy yy y MM M dd d; time letters: HH H hh h mm m ss s.
GbkText formatWithPictures(const CalendarTime& time, std::string_view datePicture,
                           std::string_view timePicture, bool force24);

// Style 0-3 picks the separators ("年月日", "-:", "/", none), part 0-5 the fields (date and
// time, date, month-day, time, hour-minute, minute-second); others count as 0. Absent date:
// now.
GbkText formatDateTime(std::optional<double> date = std::nullopt, int style = 0, int part = 0);
// The same with the clock preference given.
GbkText formatDateTimeWith(const CalendarTime& time, int style, int part, bool uses24Hour);
