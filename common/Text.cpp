#include "common/Text.h"

namespace druv {

namespace {
// Code points of bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
}  // namespace

char32_t Cp1252ToCodePoint(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : b; }

char CodePointToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out += c;
    else
      AppendUtf8(out, Cp1252ToCodePoint(b));
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    char32_t cp;
    size_t len;
    if (b < 0x80) { cp = b; len = 1; }
    else if ((b >> 5) == 0x6) { cp = b & 0x1F; len = 2; }
    else if ((b >> 4) == 0xE) { cp = b & 0x0F; len = 3; }
    else if ((b >> 3) == 0x1E) { cp = b & 0x07; len = 4; }
    else { out += '?'; ++i; continue; }
    if (i + len > s.size()) { out += '?'; break; }
    bool ok = true;
    for (size_t k = 1; k < len; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c >> 6) != 0x2) { ok = false; break; }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) { out += '?'; ++i; continue; }
    out += CodePointToCp1252(cp);
    i += len;
  }
  return out;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

}  // namespace druv
