#include "common/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace druv {

namespace {
// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
long long DaysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}
constexpr long long kEpochOffset = 25569;  // 1970-01-01 as a day count from 1899-12-30

TDateTime FromUnixMs(long long ms) { return kEpochOffset + static_cast<double>(ms) / 86400000.0; }
}  // namespace

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int k[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 0;
  return m == 2 && IsLeapYear(y) ? 29 : k[m - 1];
}

std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                                        int ms) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || ms < 0 || ms > 999)
    return std::nullopt;
  double days = static_cast<double>(DaysFromCivil(year, month, day) + kEpochOffset);
  double frac = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + ms) / 86400000.0;
  // Before 1899-12-30 the fraction counts away from zero, as the day count does.
  return days >= 0 ? days + frac : days - frac;
}

TDateTimeParts DecodeDateTime(TDateTime t) {
  TDateTimeParts p;
  double dayPart = std::trunc(t);
  double frac = std::fabs(t - dayPart);
  long long msOfDay = std::llround(frac * 86400000.0);
  long long days = static_cast<long long>(dayPart);
  if (msOfDay >= 86400000) { msOfDay -= 86400000; days += t >= 0 ? 1 : -1; }
  long long z = days - kEpochOffset + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  p.Year = static_cast<int>(y + (m <= 2));
  p.Month = static_cast<int>(m);
  p.Day = static_cast<int>(d);
  p.Hour = static_cast<int>(msOfDay / 3600000);
  p.Minute = static_cast<int>(msOfDay / 60000 % 60);
  p.Second = static_cast<int>(msOfDay / 1000 % 60);
  p.MilliSecond = static_cast<int>(msOfDay % 1000);
  return p;
}

TDateTime UtcNow() {
  using namespace std::chrono;
  return FromUnixMs(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

TDateTime LocalNow() {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm local{};
  localtime_r(&secs, &local);
  return FromUnixMs(ms + static_cast<long long>(local.tm_gmtoff) * 1000);
}

std::string FormatDate(TDateTime t) {
  auto p = DecodeDateTime(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
  return buf;
}

std::string FormatTime(TDateTime t) {
  auto p = DecodeDateTime(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
  return buf;
}

}  // namespace druv
