#include "gps/GpsNmea.h"

namespace druv {

namespace {
bool Separator(char c) { return static_cast<unsigned char>(c) <= 0x20; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

std::vector<std::string> SplitNmeaFields(std::string_view s) {
  std::vector<std::string> fields;
  size_t i = 0;
  const size_t n = s.size();
  auto skipBlanks = [&] {
    while (i < n && Separator(s[i])) ++i;
  };
  skipBlanks();
  while (i < n) {
    std::string field;
    if (s[i] == '"') {
      ++i;
      while (i < n) {
        if (s[i] == '"') {
          if (i + 1 < n && s[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += s[i++];
      }
    } else {
      const size_t from = i;
      while (i < n && !Separator(s[i]) && s[i] != ',') ++i;
      field.assign(s.substr(from, i - from));
    }
    fields.push_back(std::move(field));
    skipBlanks();
    if (i < n && s[i] == ',') {
      ++i;
      // A comma at the very end still closes an (empty) last field.
      if (i == n) fields.emplace_back();
      skipBlanks();
    }
  }
  return fields;
}

std::string NmeaChecksum(std::string_view body) {
  static const char* hex = "0123456789ABCDEF";
  unsigned char sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  return {hex[sum >> 4], hex[sum & 15]};
}

bool NmeaChecksumMismatch(std::string_view s) {
  const size_t star = s.find('*');
  if (star == std::string_view::npos || star + 2 >= s.size()) return false;
  const int high = HexValue(s[star + 1]), low = HexValue(s[star + 2]);
  if (high < 0 || low < 0) return false;
  const size_t from = !s.empty() && s[0] == '$' ? 1 : 0;
  unsigned char sum = 0;
  for (size_t k = from; k < star; ++k) sum ^= static_cast<unsigned char>(s[k]);
  return sum != static_cast<unsigned char>(high * 16 + low);
}

}  // namespace druv
