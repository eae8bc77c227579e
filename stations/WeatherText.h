#pragma once
// Weather reports read the way the weather views read them: by searching field letters in the
// packet text and copying the characters that follow, shown as received, without conversion.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace druv {

// Text positions counted from 1, 0 for "not found", as the weather rules are written.
size_t Pos(std::string_view what, std::string_view s);
// n characters of s from position start; fewer when s ends first; a start below 1 counts as 1.
std::string_view Copy(std::string_view s, long long start, long long n);

struct TWeatherFieldRec {
  char Letter;
  size_t Width;
  std::string_view Label;  // with its leading blank
};
// In the order the views list them: c s g t r p P h b.
extern const std::array<TWeatherFieldRec, 9> WeatherFields;

// The weather detail list ("WX Stns" tab) for one line of the weather-station list.
std::vector<std::string> WeatherDetailItems(std::string_view line);

// The station information window's weather breakdown of its packet label s, headed by the call.
// Throws druv::Error when the character after the first "t" is no number; empty when s has no "t".
std::vector<std::string> WeatherBreakdown(std::string_view s, std::string_view call);

}  // namespace druv
