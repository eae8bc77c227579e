#include "stations/WeatherText.h"

#include "common/Error.h"

namespace druv {

const std::array<TWeatherFieldRec, 9> WeatherFields = {{
    {'c', 3, " WindDirection"},
    {'s', 3, " WindSpeed"},
    {'g', 3, " WindGusts"},
    {'t', 3, " Temperature"},
    {'r', 3, " RainLastHour"},
    {'p', 3, " RainLast24"},
    {'P', 3, " RainSinceMidNight"},
    {'h', 2, " Humidity"},
    {'b', 5, " BarPressure"},
}};

size_t Pos(std::string_view what, std::string_view s) {
  const size_t p = s.find(what);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::string_view Copy(std::string_view s, long long start, long long n) {
  if (start < 1) start = 1;
  if (n <= 0 || static_cast<size_t>(start) > s.size()) return {};
  return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

namespace {

std::string Item(std::string_view value, std::string_view label) {
  std::string out(value);
  out += label;
  return out;
}

// The letters' values found in text, each as value and label.
void AddLetterItems(std::vector<std::string>& out, std::string_view text) {
  for (const TWeatherFieldRec& f : WeatherFields) {
    const size_t p = Pos(std::string_view(&f.Letter, 1), text);
    if (p > 0) out.push_back(Item(Copy(text, static_cast<long long>(p) + 1, static_cast<long long>(f.Width)), f.Label));
  }
}

// The unit hint some stations put at the end: 5 characters after a "t" in the last 11.
void AddUnitItem(std::vector<std::string>& out, std::string_view s) {
  const std::string_view tail = Copy(s, static_cast<long long>(s.size()) - 10, 11);
  const size_t t = Pos("t", tail);
  if (t > 0) out.push_back(Item(Copy(tail, static_cast<long long>(t) + 1, 5), " Unit "));
}

}  // namespace

std::vector<std::string> WeatherDetailItems(std::string_view s) {
  const size_t at = Pos("@", s);
  std::string_view text = at > 0 ? Copy(s, static_cast<long long>(at), static_cast<long long>(s.size()))
                                 : Copy(s, static_cast<long long>(Pos("_", s)), static_cast<long long>(s.size()));
  const size_t u = Pos("_", text);
  // From the "_" up to, not including, the last character; all of it without "_".
  text = Copy(text, static_cast<long long>(u), static_cast<long long>(text.size()) - static_cast<long long>(u));

  std::vector<std::string> out;
  out.push_back(Item(Copy(s, 1, static_cast<long long>(Pos(">", s)) - 1), " STATION"));
  if (at > 0) {
    out.push_back(Item(Copy(s, static_cast<long long>(at) + 1, 4), " Time"));
  } else {
    const long long u2 = static_cast<long long>(Pos("_", text));
    out.push_back(Item(Copy(text, u2 + 1, 4), " Date"));
    out.push_back(Item(Copy(text, u2 + 5, 4), " Time"));
  }
  AddLetterItems(out, text);
  AddUnitItem(out, s);
  return out;
}

std::vector<std::string> WeatherBreakdown(std::string_view s, std::string_view call) {
  const size_t t = Pos("t", s);
  if (t == 0) return {};
  const std::string_view digit = Copy(s, static_cast<long long>(t) + 1, 1);
  if (digit.empty() || digit[0] < '0' || digit[0] > '9')
    throw Error("'" + std::string(digit) + "' is not a valid integer value");
  std::vector<std::string> out;
  out.emplace_back(call);
  AddLetterItems(out, s);
  AddUnitItem(out, s);
  return out;
}

}  // namespace druv
