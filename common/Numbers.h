#pragma once
// Locale-free number formatting and parsing: every number uses a point, whatever the locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace druv {

// Shortest general form with up to 15 significant digits: 34.5, -98.25, 5E-6, 100.
std::string FormatGeneral(double v);
// Fixed notation with the given number of decimals, like printf("%.*f") in the C locale.
std::string FormatFixed(double v, int decimals);
std::string FormatInt(long long v);

// Whole text must be a number (surrounding blanks allowed); "." is the only decimal separator.
std::optional<double> ParseDouble(std::string_view s);
std::optional<long long> ParseInt(std::string_view s);
// A number the user typed or a field holds: throws druv::Error "'text' is not a valid floating point
// value" (the text of the conversion error box) for anything but a finite number.
double StrToFloat(std::string_view s);

// Nearest integer, halves to even.
long long RoundHalfEven(double v);

}  // namespace druv
