#pragma once
// Date-times as doubles: days since 30 December 1899, time of day as the fraction.
#include <optional>
#include <string>

namespace druv {

using TDateTime = double;

struct TDateTimeParts {
  int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};

// Nothing when the date or time does not exist (30 February, hour 24 ...).
std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                                        int second = 0, int milliSecond = 0);
TDateTimeParts DecodeDateTime(TDateTime t);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

TDateTime UtcNow();
TDateTime LocalNow();

// Fixed, locale-free renderings: "2026-12-10" and "14:05:09".
std::string FormatDate(TDateTime t);
std::string FormatTime(TDateTime t);

}  // namespace druv
