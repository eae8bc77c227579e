// Mic-E: latitude and message code in the destination field, longitude, speed, course and
// symbol in the first bytes of the information field.
#include <cmath>
#include <string_view>

#include "common/Error.h"
#include "parser/Decoders.h"
#include "parser/ParserText.h"

namespace druv {

using namespace parsertext;
namespace {

// Low four bits: the digit; 0x10: custom message bit; 0x20: standard message bit, which also
// carries the north, +100 and west flags.
int MicEDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'J') return 0x10 + (c - 'A');
  if (c == 'K') return 0x10;
  if (c >= 'P' && c <= 'Y') return 0x20 + (c - 'P');
  if (c == 'Z') return 0x20;
  return 0;  // "L" and anything the destination check refuses
}

bool IsBlankDigit(char c) { return c == 'K' || c == 'L' || c == 'Z'; }
bool IsStandardDigit(char c) { return IsDigit(c) || c == 'L' || (c >= 'P' && c <= 'Z'); }
bool IsCustomDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'L'); }

bool IsMicEDestination(std::string_view d) {
  if (d.size() < 6 || d.size() == 7) return false;
  const bool custom = (d[0] >= 'A' && d[0] <= 'K') || (d[1] >= 'A' && d[1] <= 'K') || (d[2] >= 'A' && d[2] <= 'K');
  for (size_t i = 0; i < 3; ++i)
    if (custom ? !IsCustomDigit(d[i]) : !IsStandardDigit(d[i])) return false;
  for (size_t i = 3; i < 6; ++i)
    if (!IsStandardDigit(d[i])) return false;
  if (d.size() > 6) {
    if (d[6] != '-' || !IsDigit(d[7])) return false;
    if (d.size() == 9 && !IsDigit(d[8])) return false;
  }
  return true;
}

// Information field byte minus 28; -1 when the field is too short.
int Byte28(std::string_view info, size_t i) {
  return i < info.size() ? static_cast<unsigned char>(info[i]) - 28 : -1;
}

// The radio's type byte that may come before the altitude.
constexpr bool IsMicEType(char c) { return c == '>' || c == ']' || c == '`' || c == '\''; }

// Altitude "xxx}" at the start of the comment or after the type byte: three base-91 characters,
// metres above -10000; written in feet.
void ReadMicEAltitude(std::string_view comment, TPositionRec& pos) {
  size_t at = std::string_view::npos;
  if (comment.size() >= 4 && comment[3] == '}')
    at = 0;
  else if (comment.size() >= 5 && comment[4] == '}' && IsMicEType(comment[0]))
    at = 1;
  if (at == std::string_view::npos || !IsBase91(comment[at]) || !IsBase91(comment[at + 1]) ||
      !IsBase91(comment[at + 2]))
    return;
  const int metres = (comment[at] - 33) * 8281 + (comment[at + 1] - 33) * 91 + (comment[at + 2] - 33) - 10000;
  pos.Altitude = static_cast<int32_t>(std::nearbyint(metres / 0.3048));
}

}  // namespace

void DecodeMicE(std::string_view info, TAprsPacket& packet) {
  if (info.empty()) throw Error("Mic-E packet without information field");
  const std::string_view d = packet.DestinationCallSign;
  if (!IsMicEDestination(d)) return;

  int m[6];
  for (int k = 0; k < 6; ++k) m[k] = MicEDigit(d[k]);

  packet.MessageData.MsgIndex =
      ((m[0] & 0x10) ? 8 : 0) + (m[0] >= 0x10 ? 4 : 0) + (m[1] >= 0x10 ? 2 : 0) + (m[2] >= 0x10 ? 1 : 0);

  // "K", "L" and "Z" are blanked digits: position ambiguity, from the right of the minutes only.
  int ambiguity = 0;
  while (ambiguity < 6 && IsBlankDigit(d[5 - ambiguity])) ++ambiguity;
  bool shaped = ambiguity <= 4;
  for (int k = 0; k < 6 - ambiguity; ++k) shaped = shaped && !IsBlankDigit(d[k]);

  TPositionRec& pos = packet.Position;
  const int latMinutes = CentreOfAmbiguity((10 * (m[2] & 15) + (m[3] & 15)) * 100 + 10 * (m[4] & 15) + (m[5] & 15),
                                           shaped ? ambiguity : 0);
  double latitude = (10 * (m[0] & 15) + (m[1] & 15)) + (latMinutes / 100) / 60.0 + (latMinutes % 100) / 6000.0;
  if (m[3] < 0x20) latitude = -latitude;
  pos.Latitude.Value = latitude;
  pos.Latitude.NMEA = FormatLatitude(latitude);

  // A field that ends before the symbol leaves the position undecoded.
  pos.Valid = false;
  if (info.size() < 7) return;
  packet.SymbolCode = info[6];
  if (info.size() < 8) return;
  packet.SymbolTableIdentifier = info[7];
  if (info.size() > 8) {
    packet.FromD7 = info[8] == '>';
    packet.FromD700 = info[8] == ']';
  }

  int deg = Byte28(info, 0), min = Byte28(info, 1), hun = Byte28(info, 2);
  if (deg < 0 || deg > 99 || min < 0 || min > 99 || hun < 0 || hun > 99) return;
  if (m[4] >= 0x20) deg += 100;
  if (deg >= 190)
    deg -= 190;
  else if (deg >= 180)
    deg -= 80;
  if (min >= 60) min -= 60;
  const int lonMinutes = CentreOfAmbiguity(min * 100 + hun, shaped ? ambiguity : 0);
  double longitude = deg + (lonMinutes / 100) / 60.0 + (lonMinutes % 100) / 6000.0;
  if (m[5] >= 0x20) longitude = -longitude;
  pos.Longitude.Value = longitude;
  pos.Longitude.NMEA = FormatLongitude(longitude);
  pos.Valid = shaped && IsSymbolTable(packet.SymbolTableIdentifier);
  pos.Ambiguity = static_cast<uint8_t>(ambiguity);

  const int sp = Byte28(info, 4), dc = Byte28(info, 3), se = Byte28(info, 5);
  if (sp < 0 || sp > 97 || dc < 0 || dc > 99 || se < 0 || se > 99) return;
  // Knots: hundreds and tens from one byte, units from the tens digit of the next.
  int speed = dc * 10 + sp / 10;
  int course = se + (sp % 10) * 100;
  if (speed >= 800) speed -= 800;
  if (course >= 400) course -= 400;
  if (course > 0) {
    pos.Course = course;
    pos.Speed = speed;
  }

  packet.Comment.assign(SubView(info, 8, 255));
  ReadMicEAltitude(packet.Comment, pos);
  RoundCoordinates(packet);
}

}  // namespace druv
