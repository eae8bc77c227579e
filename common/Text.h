#pragma once
// 8-bit text helpers. Packet texts, serial traffic and files are bytes in Windows code page 1252.
#include <string>
#include <string_view>

namespace druv {

// Code page 1252 bytes to UTF-8. The five bytes 1252 leaves undefined map to the C1 controls
// of the same value, so every byte round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to code page 1252; a code point with no 1252 byte becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// One code point (UTF-16 unit or wider) to its 1252 byte, '?' when it has none.
char CodePointToCp1252(char32_t cp);
char32_t Cp1252ToCodePoint(unsigned char b);

// Upper-casing changes only the letters a to z.
std::string UpperCase(std::string_view s);
// Trim removes leading and trailing blanks and control characters (bytes <= 0x20).
// Inline: the parser trims several times per line.
inline std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
  return s.substr(b, e - b);
}
std::string Trim(std::string_view s);

inline bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }
inline bool StartsWith(std::string_view s, std::string_view what) { return s.substr(0, what.size()) == what; }

}  // namespace druv
