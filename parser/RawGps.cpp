// Raw GPS data: the NMEA sentences RMC, GGA and GLL that a tracker passes on as its receiver
// writes them, read by NMEA's own rules.
#include <array>
#include <cmath>
#include <string_view>

#include "parser/Decoders.h"
#include "parser/ParserText.h"

namespace druv {

using namespace parsertext;
namespace {

constexpr size_t kMaxFields = 20;

struct TSentence {
  std::array<std::string_view, kMaxFields> Field{};
  size_t Count = 0;
  std::string_view Tail;  // what follows the checksum

  std::string_view operator[](size_t i) const { return i < Count ? Field[i] : std::string_view(); }
};

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  const char u = UpperChar(c);
  return u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

// Splits the sentence (without its "$") into fields; false when a checksum is given and is not
// the exclusive or of every character before the "*".
bool SplitSentence(std::string_view info, TSentence& out) {
  std::string_view body = info;
  const size_t star = info.find('*');
  if (star != std::string_view::npos) {
    body = info.substr(0, star);
    const int high = star + 1 < info.size() ? HexDigit(info[star + 1]) : -1;
    const int low = star + 2 < info.size() ? HexDigit(info[star + 2]) : -1;
    if (high < 0 || low < 0) return false;
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    if (sum != static_cast<unsigned>(high * 16 + low)) return false;
    out.Tail = info.substr(star + 3);
  }
  size_t start = 0;
  while (out.Count < kMaxFields) {
    const size_t comma = body.find(',', start);
    out.Field[out.Count++] = body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return true;
}

// "ddmm.mmmm" with 2 degree digits for a latitude, 3 for a longitude, any number of decimals,
// minutes below 60; and its hemisphere letter.
bool ReadCoordinate(std::string_view t, std::string_view hemisphere, size_t degreeDigits, char positive,
                    char negative, double& value) {
  if (hemisphere.size() != 1 || (hemisphere[0] != positive && hemisphere[0] != negative)) return false;
  const size_t dot = t.find('.');
  if ((dot == std::string_view::npos ? t.size() : dot) != degreeDigits + 2) return false;
  int degrees = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (i == dot) continue;
    if (!IsDigit(t[i])) return false;
    if (i < degreeDigits) degrees = degrees * 10 + (t[i] - '0');
  }
  double minutes = 0;
  if (!ReadDecimal(t.substr(degreeDigits), minutes) || minutes >= 60) return false;
  value = degrees + minutes / 60;
  if (hemisphere[0] == negative) value = -value;
  return true;
}

bool ReadPosition(const TSentence& s, size_t latAt, TPositionRec& pos) {
  double latitude = 0, longitude = 0;
  if (!ReadCoordinate(s[latAt], s[latAt + 1], 2, 'N', 'S', latitude) ||
      !ReadCoordinate(s[latAt + 2], s[latAt + 3], 3, 'E', 'W', longitude))
    return false;
  pos.Latitude.Value = latitude;
  pos.Longitude.Value = longitude;
  pos.Valid = IsOnEarth(pos);
  return pos.Valid;
}

// A plain unsigned decimal rounded to whole units; false when the field is empty or not a number.
bool ReadRounded(std::string_view field, int& value) {
  double v = 0;
  if (!ReadDecimal(field, v) || !(v >= -1e6 && v <= 1e6)) return false;
  value = static_cast<int>(std::nearbyint(v));
  return true;
}

// The talker (GP, GN ...) does not matter; the sentence does.
bool IsSentence(std::string_view name, std::string_view kind) {
  return name.size() == 5 && IsUpperLetter(name[0]) && IsUpperLetter(name[1]) && name.substr(2) == kind;
}

bool DecodeSentence(const TSentence& s, TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  const std::string_view name = s[0];
  if (IsSentence(name, "RMC")) {
    // time, status (A valid, V void), position, speed in knots, true course
    if (s[2] != "A" || !ReadPosition(s, 3, pos)) return false;
    int speed = 0, course = 0;
    if (ReadRounded(s[7], speed) && speed >= 0) pos.Speed = speed;
    // 0 is north in NMEA but "unknown" in APRS.
    if (ReadRounded(s[8], course) && course >= 0) pos.Course = course == 0 ? 360 : course > 360 ? 0 : course;
    return true;
  }
  if (IsSentence(name, "GGA")) {
    // time, position, fix quality (0 no fix), satellites, dilution, altitude and its unit
    const std::string_view quality = s[6];
    if (quality.size() != 1 || !IsDigit(quality[0]) || quality[0] == '0' || !ReadPosition(s, 2, pos)) return false;
    double metres = 0;
    if (s[10] == "M" && ReadDecimal(s[9], metres) && std::fabs(metres) < 1e6)
      pos.Altitude = static_cast<int32_t>(std::nearbyint(metres / 0.3048));
    return true;
  }
  if (IsSentence(name, "GLL")) {
    // position, time, status; receivers older than NMEA 2.3 send no status
    if (s.Count > 6 && s[6] != "A") return false;
    return ReadPosition(s, 1, pos);
  }
  return false;
}

}  // namespace

void DecodeRawGPS(std::string_view info, TAprsPacket& packet) {
  TSentence sentence;
  TPositionRec& pos = packet.Position;
  pos.Valid = false;
  if (SplitSentence(info, sentence) && DecodeSentence(sentence, packet)) {
    pos.Latitude.NMEA = FormatLatitude(pos.Latitude.Value);
    pos.Longitude.NMEA = FormatLongitude(pos.Longitude.Value);
    packet.Comment.assign(sentence.Tail);
  }
  RoundCoordinates(packet);
}

}  // namespace druv
