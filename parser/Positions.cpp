// Coordinates: uncompressed and compressed positions, timestamps, APRS coordinate text and
// Maidenhead locators.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/DateTime.h"
#include "common/Text.h"
#include "parser/Decoders.h"
#include "parser/ParserText.h"

namespace druv {

using namespace parsertext;
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kPrimaryMobile = "<=>'()*0COPRSUXY[^abefgjkpsuv"sv;
constexpr std::string_view kOtherMobile = "/0>AKOS^knsuv"sv;

// Ends a position decoding: the text stops short or a value cannot be held.
struct TPositionError {};

char At(std::string_view s, size_t i) {
  if (i >= s.size()) throw TPositionError{};
  return s[i];
}

// A short integer field with optional blanks and sign; value unchanged when it does not read.
bool ReadInt(std::string_view s, int& value) {
  s = TrimView(s);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.size() > 9) return false;
  int v = 0;
  for (char c : s) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = negative ? -v : v;
  return true;
}

// degrees, minutes with two decimals, hemisphere; minutes that round to 60.00 carry into the degrees.
std::string FormatCoordinate(double x, int degreeDigits, char positive, char negative) {
  const char hemisphere = x >= 0 ? positive : negative;
  const double a = std::fabs(x);
  double degrees = std::trunc(a);
  {
    // Whole hundredths of a minute by integer arithmetic, unless the product lies so near a
    // rounding tie that only the exact decimal text can tell.
    const double scaled = (a - degrees) * 6000;
    const double whole = std::nearbyint(scaled);
    if (a < 1e9 && std::fabs(std::fabs(scaled - whole) - 0.5) > 1e-6) {
      auto deg = static_cast<long long>(degrees);
      auto hundredths = static_cast<int>(whole);
      if (hundredths >= 6000) {
        deg += 1;
        hundredths -= 6000;
      }
      char buf[32];
      char* end = buf + sizeof buf;
      char* q = end;
      *--q = hemisphere;
      *--q = static_cast<char>('0' + hundredths % 10);
      *--q = static_cast<char>('0' + hundredths / 10 % 10);
      *--q = '.';
      *--q = static_cast<char>('0' + hundredths / 100 % 10);
      *--q = static_cast<char>('0' + hundredths / 1000);
      int written = 0;
      do {
        *--q = static_cast<char>('0' + deg % 10);
        deg /= 10;
        ++written;
      } while (deg > 0 || written < degreeDigits);
      return std::string(q, end);
    }
  }
  char minutes[400];
  auto m = std::to_chars(minutes, minutes + sizeof minutes, (a - degrees) * 60, std::chars_format::fixed, 2);
  std::string_view minutesText(minutes, m.ec == std::errc() ? static_cast<size_t>(m.ptr - minutes) : 0);
  if (minutesText == "60.00") {
    degrees += 1;
    minutesText = "0.00";
  }
  char degreeBuf[400];
  auto d = std::to_chars(degreeBuf, degreeBuf + sizeof degreeBuf, degrees, std::chars_format::fixed, 0);
  std::string_view degreeText(degreeBuf, d.ec == std::errc() ? static_cast<size_t>(d.ptr - degreeBuf) : 0);

  std::string out;
  out.reserve(std::max<size_t>(degreeText.size(), degreeDigits) + std::max<size_t>(minutesText.size(), 5) + 1);
  if (degreeText.size() < static_cast<size_t>(degreeDigits)) out.append(degreeDigits - degreeText.size(), '0');
  out.append(degreeText);
  if (minutesText.size() < 5) out.append(5 - minutesText.size(), '0');
  out.append(minutesText);
  out += hemisphere;
  return out;
}

// Four decimals, as written and read back.
double RoundTo4(double v) {
  if (!std::isfinite(v)) return v;
  const double scaled = v * 1e4;
  const double whole = std::nearbyint(scaled);
  // Away from a tie and within the exact range, the product's rounding cannot move the result;
  // otherwise take the decimal text itself.
  if (std::fabs(scaled) < 1e9 && std::fabs(std::fabs(scaled - whole) - 0.5) > 1e-6) {
    const double back = whole / 1e4;
    return back == 0 ? 0.0 : back;  // no negative zero
  }
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
  if (r.ec != std::errc()) return v;
  double back = v;
  std::from_chars(buf, r.ptr, back);
  return back == 0 ? 0.0 : back;
}

// Base-91 value of four characters, each offset by 33.
double Base91(std::string_view s, size_t from) {
  double v = 0;
  for (size_t i = from; i < from + 4; ++i) v = v * 91 + (static_cast<unsigned char>(At(s, i)) - 33);
  return v;
}

int32_t RoundToInt32(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) throw TPositionError{};
  return static_cast<int32_t>(r);
}

// An uncompressed coordinate, "DDMM.hhN" (2 degree digits) or "DDDMM.hhE" (3). Position
// ambiguity blanks minute digits from the right: a negative ambiguity is read from the text (the
// latitude), otherwise it is the latitude's, and the longitude's digits in those places do not
// count, whether sent or blanked. False when the text is not a coordinate.
bool ReadCoordinate(std::string_view t, size_t degreeDigits, char positive, char negative, int& ambiguity,
                    double& value) {
  const size_t d = degreeDigits;
  const char hemisphere = UpperChar(t[d + 5]);
  if (t[d + 2] != '.' || (hemisphere != positive && hemisphere != negative)) return false;
  int degrees = 0;
  for (size_t i = 0; i < d; ++i) {
    if (!IsDigit(t[i])) return false;
    degrees = degrees * 10 + (t[i] - '0');
  }
  const char minute[4] = {t[d], t[d + 1], t[d + 3], t[d + 4]};
  if (ambiguity < 0) {
    ambiguity = 0;
    while (ambiguity < 4 && minute[3 - ambiguity] == ' ') ++ambiguity;
  }
  int hundredths = 0;
  for (int k = 0; k < 4; ++k) {
    const bool kept = k < 4 - ambiguity;
    if (!IsDigit(minute[k]) && (kept || minute[k] != ' ')) return false;
    hundredths = hundredths * 10 + (kept ? minute[k] - '0' : 0);
  }
  hundredths = CentreOfAmbiguity(hundredths, ambiguity);
  // Minutes as their decimal text reads, then the degrees, as NmeaToDegrees computes them.
  const double minutes = hundredths / 100.0;
  value = degrees + minutes / 60;
  if (hemisphere == negative) value = -value;
  return true;
}

// False when the text does not have the shape of a position; short texts end the decoding.
bool DecodeUncompressed(std::string_view s, TAprsPacket& packet) {
  if (s.size() > 8) packet.SymbolTableIdentifier = s[8];
  if (s.size() < 19) throw TPositionError{};
  packet.SymbolCode = s[18];
  double latitude = 0, longitude = 0;
  int ambiguity = -1;
  if (!ReadCoordinate(s.substr(0, 8), 2, 'N', 'S', ambiguity, latitude) ||
      !ReadCoordinate(s.substr(9, 9), 3, 'E', 'W', ambiguity, longitude) || !IsSymbolTable(s[8]))
    return false;
  TPositionRec& pos = packet.Position;
  pos.Latitude.NMEA.assign(s.substr(0, 8));
  pos.Latitude.Value = latitude;
  pos.Longitude.NMEA.assign(s.substr(9, 9));
  pos.Longitude.Value = longitude;
  pos.Ambiguity = static_cast<uint8_t>(ambiguity);
  return true;
}

bool DecodeCompressed(std::string_view s, TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  char table = At(s, 0);
  const bool tableOk = table == '/' || table == '\\' || IsUpperLetter(table) || (table >= 'a' && table <= 'j');
  if (table >= 'a' && table <= 'j') table = static_cast<char>('0' + (table - 'a'));  // overlay digit
  packet.SymbolTableIdentifier = table;
  packet.SymbolCode = At(s, 9);
  const int c = static_cast<unsigned char>(At(s, 10));
  const int sp = static_cast<unsigned char>(At(s, 11));
  const int t = static_cast<unsigned char>(At(s, 12));
  if (!tableOk || !std::all_of(s.begin() + 1, s.begin() + 9, IsBase91)) return false;
  const double latitude = 90 - Base91(s, 1) / 380926;
  const double longitude = -180 + Base91(s, 5) / 190463;
  pos.Latitude.Value = latitude;
  pos.Latitude.NMEA = FormatLatitude(latitude);
  pos.Longitude.Value = longitude;
  pos.Longitude.NMEA = FormatLongitude(longitude);
  if (c == ' ') return true;
  if (c >= '!' && c <= 'z') {
    pos.Course = (c - 33) * 4;
    pos.Speed = RoundToInt32(std::pow(1.08, sp - 33) - 1);
  } else if (c == '{') {
    packet.StationCapabilities.RadioRange = static_cast<float>(2 * std::pow(1.08, sp - 33));
    packet.StationCapabilities.Valid = true;
  }
  if (((t - 33) & 0x18) == 0x10)  // fix from a GGA sentence: the cs bytes hold the altitude
    pos.Altitude = RoundToInt32(std::pow(1.002, (c - 33) * 91 + (sp - 33)));
  return true;
}

// Three digits at from; false for anything else ("...", blanks).
bool ReadThreeDigits(std::string_view s, size_t from, int& value) {
  if (!IsDigit(s[from]) || !IsDigit(s[from + 1]) || !IsDigit(s[from + 2])) return false;
  value = (s[from] - '0') * 100 + (s[from + 1] - '0') * 10 + (s[from + 2] - '0');
  return true;
}

// "ddd/sss" right after the symbol: course (1 to 360, 0 unknown) and speed in knots. After a
// weather station's symbol the same shape is the wind, not the station's own motion.
void ReadCourseSpeed(std::string_view rest, TAprsPacket& packet) {
  if (packet.SymbolCode == '_' || rest.size() < 7 || rest[3] != '/') return;
  int course = 0, speed = 0;
  if (ReadThreeDigits(rest, 0, course)) packet.Position.Course = course <= 360 ? course : 0;
  if (ReadThreeDigits(rest, 4, speed)) packet.Position.Speed = speed;
}

// The first "/A=" in the comment followed by six digits, or "-" and five: feet.
void ReadAltitude(std::string_view comment, TAprsPacket& packet) {
  for (size_t at = comment.find("/A="); at != std::string_view::npos; at = comment.find("/A=", at + 1)) {
    const std::string_view v = SubView(comment, at + 3, 6);
    if (v.size() < 6) return;
    const bool negative = v[0] == '-';
    int feet = 0;
    size_t i = negative ? 1 : 0;
    for (; i < 6 && IsDigit(v[i]); ++i) feet = feet * 10 + (v[i] - '0');
    if (i == 6) {
      packet.Position.Altitude = negative ? -feet : feet;
      return;
    }
  }
}

}  // namespace

double NmeaToDegrees(std::string_view text) {
  std::string_view degreesText, minutesText;
  if (text.size() == 8) {
    degreesText = text.substr(0, 2);
    minutesText = text.substr(2, 5);
  } else if (text.size() == 9) {
    degreesText = text.substr(0, 3);
    minutesText = text.substr(3, 5);
  } else {
    return 0;
  }
  double degrees = 0, minutes = 0;
  if (!ReadDecimal(degreesText, degrees)) degrees = 0;
  if (!ReadDecimal(minutesText, minutes)) minutes = 0;
  double v = degrees + minutes / 60;
  const char h = text.back();
  if (h == 'S' || h == 'W' || h == 's' || h == 'w') v = -v;
  return v;
}

std::string FormatLatitude(double degrees) { return FormatCoordinate(degrees, 2, 'N', 'S'); }
std::string FormatLongitude(double degrees) { return FormatCoordinate(degrees, 3, 'E', 'W'); }

bool IsMobileSymbol(char table, char code) {
  if (code == 0) return false;
  return (table == '/' ? kPrimaryMobile : kOtherMobile).find(code) != std::string_view::npos;
}

int CentreOfAmbiguity(int hundredths, int blanks) {
  static constexpr int kPlace[5] = {1, 10, 100, 1000, 10000};
  if (blanks <= 0 || blanks > 4) return hundredths;
  return hundredths / kPlace[blanks] * kPlace[blanks] + (blanks == 4 ? 3000 : 5 * kPlace[blanks - 1]);
}

bool IsSymbolTable(char c) { return c == '/' || c == '\\' || IsDigit(c) || IsUpperLetter(c); }

bool IsOnEarth(const TPositionRec& pos) {
  return std::fabs(pos.Latitude.Value) <= 90 && std::fabs(pos.Longitude.Value) <= 180;
}

void SettlePosition(TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  if (pos.Valid && IsOnEarth(pos)) return;
  pos.Valid = false;
  pos.Latitude.NMEA.clear();
  pos.Latitude.Value = 0;
  pos.Longitude.NMEA.clear();
  pos.Longitude.Value = 0;
  pos.Ambiguity = 0;
  pos.Course = 0;
  pos.Speed = 0;
  pos.Altitude = 0;
}

void RoundCoordinates(TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  if (pos.Latitude.Value == 0 || pos.Longitude.Value == 0) return;
  pos.Latitude.Value = RoundTo4(pos.Latitude.Value);
  pos.Longitude.Value = RoundTo4(pos.Longitude.Value);
}

namespace {
// Decodes the position that starts s, with the course, speed and altitude that follow it; the
// number of characters the position takes, 0 when the text is too short for one.
size_t DecodePositionAt(std::string_view s, TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  pos.Valid = false;
  size_t used = 0;
  try {
    if (s.empty()) throw TPositionError{};
    const bool uncompressed = IsDigit(s[0]);
    const bool shaped = uncompressed ? DecodeUncompressed(s, packet) : DecodeCompressed(s, packet);
    used = uncompressed ? 19 : 13;
    pos.MobileUnit = IsMobileSymbol(packet.SymbolTableIdentifier, packet.SymbolCode);
    pos.Valid = shaped && IsOnEarth(pos);
    if (pos.Valid) {
      const std::string_view rest = s.substr(used);
      if (uncompressed) ReadCourseSpeed(rest, packet);
      ReadAltitude(rest, packet);
    }
  } catch (const TPositionError&) {
    pos.Valid = false;
  }
  RoundCoordinates(packet);
  return used;
}
}  // namespace

void DecodePosition(std::string& text, TAprsPacket& packet) { text.erase(0, DecodePositionAt(text, packet)); }

void DecodePositionPacket(std::string_view info, TAprsPacket& packet) {
  packet.Comment.assign(info.substr(DecodePositionAt(info, packet)));
}

void DecodePositionTime(std::string_view info, TAprsPacket& packet) {
  DecodeTimeStamp(info.substr(0, 7), packet);
  const std::string_view rest = SubView(info, 7);
  packet.Comment.assign(rest.substr(DecodePositionAt(rest, packet)));
}

void DecodeTimeStamp(std::string_view stamp, TAprsPacket& packet) {
  if (stamp.empty()) return;
  const TDateTimeParts received = DecodeDateTime(packet.TimeReceived);
  int year = received.Year, month = received.Month, day = received.Day;
  int hour = received.Hour, minute = received.Minute, second = received.Second;
  TDateTime offset = 0;
  auto field = [&](size_t from, int& value) { ReadInt(SubView(stamp, from, 2), value); };
  switch (stamp.back()) {
    case '/': {
      // Local time of the sender, taken to be ours; zones differ by whole minutes.
      const double minutes = std::nearbyint((LocalNow() - UtcNow()) * 1440.0);
      offset = minutes / 1440.0;
    }
      [[fallthrough]];
    case 'z':
      field(0, day);
      field(2, hour);
      field(4, minute);
      second = 0;
      break;
    case 'h':
      field(0, hour);
      field(2, minute);
      field(4, second);
      break;
    default:
      break;
  }
  packet.TimeStamp.DateTime = packet.TimeReceived;
  if (year != 0 && month != 0 && day != 0 && month <= 12 && day <= 31) {
    if (auto t = EncodeDateTime(year, month, day, hour, minute, second)) packet.TimeStamp.DateTime = *t - offset;
  }
  packet.TimeStamp.Valid = true;
}

void GridToLatLon(std::string_view locator, double& latitude, double& longitude) {
  latitude = 0;
  longitude = 0;
  std::string_view t = TrimView(locator);
  if (t.size() != 4 && t.size() != 6) return;
  const bool centre = t.size() == 6;
  char s[6] = {0, 0, 0, 0, 'M', 'M'};  // a square's centre is its middle sub-square
  for (size_t i = 0; i < t.size(); ++i) s[i] = UpperChar(t[i]);
  auto inRange = [](char c, char lo, char hi) { return c >= lo && c <= hi; };
  if (!inRange(s[0], 'A', 'R') || !inRange(s[1], 'A', 'R') || !IsDigit(s[2]) || !IsDigit(s[3]) ||
      !inRange(s[4], 'A', 'X') || !inRange(s[5], 'A', 'X'))
    return;
  double lon = (s[0] - 'A') * 10 + (s[2] - '0') + (s[4] - 'A') / 24.0;
  double lat = (s[1] - 'A') * 10 + (s[3] - '0') + (s[5] - 'A') / 24.0;
  if (centre) {
    lon += 1.0 / 48;
    lat += 1.0 / 48;
  }
  longitude = lon * 2 - 180;
  latitude = lat - 90;
}

std::string LatLonToGrid(double longitude, double latitude) {
  static constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"sv;
  static constexpr std::string_view digits = "0123456789"sv;
  double lon = std::isnan(longitude) ? 0 : std::clamp(longitude, -180.0, 180.0);
  double lat = std::isnan(latitude) ? 0 : std::clamp(latitude, -90.0, 90.0);
  if (lon == 180) lon = 179.99999999;
  if (lon == -180) lon = -179.99999999;
  if (lat == 90) lat = 89.99999999;
  if (lat == -90) lat = -89.99999999;
  lon = (lon + 180) / 2;
  lat = lat + 90;
  auto pick = [](std::string_view set, double index) {
    const auto i = static_cast<size_t>(std::clamp(std::trunc(index), 0.0, static_cast<double>(set.size() - 1)));
    return set[i];
  };
  std::string grid(6, ' ');
  grid[0] = pick(letters, lon / 10);
  grid[1] = pick(letters, lat / 10);
  grid[2] = digits[static_cast<int>(std::trunc(lon)) % 10];
  grid[3] = digits[static_cast<int>(std::trunc(lat)) % 10];
  grid[4] = pick(letters, (lon - std::trunc(lon)) * 24);
  grid[5] = pick(letters, (lat - std::trunc(lat)) * 24);
  return grid;
}

}  // namespace druv
