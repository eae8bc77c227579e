#pragma once
// Small allocation-free text helpers shared by the decoders of this folder.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Text.h"

namespace druv::parsertext {

constexpr char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
// A digit of the base-91 numbers that compressed positions and Mic-E altitudes are written in.
constexpr bool IsBase91(char c) { return c >= '!' && c <= '{'; }

// s holds upperNeedle at i, comparing s upper-cased.
inline bool MatchesAt(std::string_view s, size_t i, std::string_view upperNeedle) {
  if (i > s.size() || s.size() - i < upperNeedle.size()) return false;
  for (size_t k = 0; k < upperNeedle.size(); ++k)
    if (UpperChar(s[i + k]) != upperNeedle[k]) return false;
  return true;
}

// Position of upperNeedle in s, comparing s upper-cased; npos when absent.
inline size_t FindNoCase(std::string_view s, std::string_view upperNeedle) {
  if (upperNeedle.empty()) return 0;
  if (s.size() < upperNeedle.size()) return std::string_view::npos;
  const size_t last = s.size() - upperNeedle.size();
  for (size_t i = 0; i <= last; ++i) {
    if (UpperChar(s[i]) != upperNeedle[0]) continue;
    size_t k = 1;
    while (k < upperNeedle.size() && UpperChar(s[i + k]) == upperNeedle[k]) ++k;
    if (k == upperNeedle.size()) return i;
  }
  return std::string_view::npos;
}

inline bool ContainsNoCase(std::string_view s, std::string_view upperNeedle) {
  return FindNoCase(s, upperNeedle) != std::string_view::npos;
}

inline void AssignUpper(std::string& out, std::string_view s) {
  out.assign(s);
  for (char& c : out) c = UpperChar(c);
}

// Characters from 0-based index `from`, at most `count`; empty when the text is shorter.
inline std::string_view SubView(std::string_view s, size_t from, size_t count = std::string_view::npos) {
  return from >= s.size() ? std::string_view() : s.substr(from, count);
}

// Powers of ten that doubles hold exactly.
inline constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A plain decimal number: optional blanks, sign, digits with at most one point. Anything else
// (exponents, "inf", "nan") does not read, so a garbled coordinate cannot become non-finite.
inline bool ReadDecimal(std::string_view s, double& value) {
  s = TrimView(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  const bool negative = !s.empty() && s[0] == '-';
  uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (size_t i = negative ? 1 : 0; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      if (++digits <= 15) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(s[i] - '0');
        decimals += point;
      }
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  if (digits <= 15) {  // beyond that, from_chars
    // Both operands are exact, so the one rounding of the division gives the nearest double,
    // as a full decimal conversion would.
    value = static_cast<double>(mantissa) / kPow10[decimals];
    if (negative) value = -value;
    return true;
  }
  auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

}  // namespace druv::parsertext
