#include "common/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/Error.h"
#include "common/Text.h"

namespace druv {

std::string FormatGeneral(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (v == 0) return "0";
  char buf[64];
  // Shortest text that round-trips within 15 significant digits.
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  std::string s(buf, r.ptr);
  // to_chars(general, 15) keeps trailing zeros out already; normalise the exponent to 5E-6 style.
  auto e = s.find('e');
  if (e != std::string::npos) {
    std::string mant = s.substr(0, e);
    std::string exp = s.substr(e + 1);
    bool neg = !exp.empty() && exp[0] == '-';
    size_t k = (!exp.empty() && (exp[0] == '-' || exp[0] == '+')) ? 1 : 0;
    while (k + 1 < exp.size() && exp[k] == '0') ++k;
    s = mant + "E" + (neg ? "-" : "") + exp.substr(k);
  }
  return s;
}

std::string FormatFixed(double v, int decimals) {
  char buf[512];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "0";
  std::string s(buf, r.ptr);
  if (s[0] == '-') {  // no "-0.00"
    bool allZero = true;
    for (char c : s)
      if (c >= '1' && c <= '9') allZero = false;
    if (allZero) s.erase(0, 1);
  }
  return s;
}

std::string FormatInt(long long v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::optional<double> ParseDouble(std::string_view s) {
  s = TrimView(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<long long> ParseInt(std::string_view s) {
  s = TrimView(s);
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  long long v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

long long RoundHalfEven(double v) { return static_cast<long long>(std::nearbyint(v)); }

double StrToFloat(std::string_view s) {
  std::optional<double> v = ParseDouble(s);
  if (!v || !std::isfinite(*v)) throw Error("'" + std::string(s) + "' is not a valid floating point value");
  return *v;
}

}  // namespace druv
