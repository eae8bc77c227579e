#pragma once
// Small allocation-free text helpers shared by the decoders of this folder.
#include <cstddef>
#include <string>
#include <string_view>

namespace druv::parsertext {

constexpr char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

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

}  // namespace druv::parsertext
