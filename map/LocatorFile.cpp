#include "map/LocatorFile.h"

#include <charconv>
#include <cmath>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/Text.h"

namespace druv {

namespace {

double FieldNumber(std::string_view text, int field) {
  std::optional<double> v = ParseDouble(text);
  if (!v || !std::isfinite(*v))
    throw Error("Locator field " + std::to_string(field) + " '" + std::string(TrimView(text)) +
                "' is not a valid number.");
  return *v;
}

// The first line of a locator file as 8-bit text. UTF-16 and UTF-8 files announce themselves with
// a byte-order mark; anything else is taken as code page bytes.
std::string FirstLine(const std::string& bytes) {
  std::string text;
  auto isBom = [&](std::string_view bom) { return std::string_view(bytes).substr(0, bom.size()) == bom; };
  if (isBom("\xFF\xFE") || isBom("\xFE\xFF")) {
    const bool little = isBom("\xFF\xFE");
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
      const char32_t unit = little ? (a | (b << 8)) : ((a << 8) | b);
      if (unit == '\r' || unit == '\n') break;
      text += CodePointToCp1252(unit);
    }
    return text;
  }
  std::string_view s(bytes);
  const bool utf8 = isBom("\xEF\xBB\xBF");
  if (utf8) s.remove_prefix(3);
  s = s.substr(0, s.find_first_of("\r\n"));
  return utf8 ? Utf8ToCp1252(s) : std::string(s);
}

}  // namespace

std::string ParseLocatorLine(std::string_view s, TMapFrameRec& frame) {
  double* fields[4] = {&frame.West, &frame.East, &frame.South, &frame.North};
  for (int k = 0; k < 4; ++k) {
    const size_t comma = s.find(',');
    // Without a comma after it the field reads as empty, so a line of exactly four numbers fails.
    const std::string_view text = comma == std::string_view::npos ? std::string_view() : s.substr(0, comma);
    *fields[k] = FieldNumber(text, k + 1);
    s.remove_prefix(comma + 1);
  }
  return std::string(s.substr(0, s.find(',')));
}

std::string ReadLocatorFile(const std::string& path, TMapFrameRec& frame, int pictureWidth, int pictureHeight) {
  std::optional<std::string> bytes = ReadFile(path);
  if (!bytes) throw Error("Cannot open file \"" + path + "\". No such file or directory");
  std::string name;
  try {
    name = ParseLocatorLine(FirstLine(*bytes), frame);
  } catch (const Error& e) {
    throw Error(path + ": " + e.what());
  }
  frame.Left = 0;
  frame.Right = pictureWidth;
  frame.Top = 0;
  frame.Bottom = pictureHeight;
  return name;
}

std::string LocatorPathFor(const std::string& imagePath) {
  const size_t slash = imagePath.rfind('/');
  const size_t dot = imagePath.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return imagePath + ".txt";
  return imagePath.substr(0, dot) + ".txt";
}

std::string LocatorSummary(const TMapFrameRec& f, const std::string& nameField) {
  return FormatGeneral(f.West) + "    " + FormatGeneral(f.East) + "   " + FormatGeneral(f.South) + "   " +
         FormatGeneral(f.North) + "   " + nameField;
}

TUniversalProposalRec ProposeUniversalBox(std::string_view latitudeText, std::string_view longitudeText) {
  const double lat = StrToFloat(latitudeText), lon = StrToFloat(longitudeText);
  TUniversalProposalRec out;
  if (StartsWith(longitudeText, "-")) {
    out.West = -lon + 1;
    out.East = -lon - 1;
  } else {
    out.West = lon + 1;
    out.East = lon - 1;
  }
  out.North = lat + 1;
  out.South = lat - 1;
  return out;
}

namespace {
// Two decimals in fixed notation; a number of more than six digits before the point switches to
// exponent form, as a six-digit precision fixed format does.
std::string TwoDecimals(double v) {
  if (std::fabs(v) < 999999.995) return FormatFixed(v, 2);
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 5);
  std::string s(buf, r.ptr);
  const size_t e = s.find('e');
  return s.substr(0, e) + "E" + s.substr(e + 1);
}
}  // namespace

std::string UniversalLocatorLine(const TUniversalProposalRec& b) {
  return TwoDecimals(b.West) + ",  " + TwoDecimals(b.East) + ",  " + TwoDecimals(b.South) + ",  " +
         TwoDecimals(b.North) + ",  universal";
}

}  // namespace druv
