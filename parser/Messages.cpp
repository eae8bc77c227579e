// Decoders of the text-bearing data types: messages, objects, items, status reports, free-text
// beacons and the old locator beacon.
#include <algorithm>
#include <string>
#include <string_view>

#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"
#include "parser/Extensions.h"
#include "parser/ParserText.h"

namespace druv {

namespace {

using namespace parsertext;

constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// Maidenhead field letter, either case.
constexpr bool IsFieldLetter(char c) { return UpperChar(c) >= 'A' && UpperChar(c) <= 'R'; }

bool StartsNoCase(std::string_view s, std::string_view upperWord) {
  if (s.size() < upperWord.size()) return false;
  for (size_t i = 0; i < upperWord.size(); ++i)
    if (UpperChar(s[i]) != upperWord[i]) return false;
  return true;
}

// Position from a Maidenhead locator. GridToLatLon answers 0, 0 for a locator it refuses, so a
// zero coordinate means no position.
void LocatorPosition(std::string_view locator, TAprsPacket& packet) {
  TPositionRec& pos = packet.Position;
  pos.Gridsquare.assign(locator);
  GridToLatLon(locator, pos.Latitude.Value, pos.Longitude.Value);
  if (pos.Latitude.Value != 0 && pos.Longitude.Value != 0) {
    pos.Latitude.NMEA = FormatLatitude(pos.Latitude.Value);
    pos.Longitude.NMEA = FormatLongitude(pos.Longitude.Value);
    pos.Valid = true;
  } else {
    pos.Valid = false;
  }
}

// A message number "MM" or, in the reply-ack form, "MM}AA": the number and the ack it carries.
void SplitReplyAck(std::string_view number, TAprsMessageData& msg, bool trim) {
  const size_t close = number.find('}');
  std::string_view id = number.substr(0, close);
  std::string_view replyAck = close == std::string_view::npos ? std::string_view() : number.substr(close + 1);
  if (trim) {
    id = TrimView(id);
    replyAck = TrimView(replyAck);
  }
  msg.SeqID.assign(id);
  msg.ReplyAck.assign(replyAck);
}

}  // namespace

void DecodeMessage(std::string_view info, TAprsPacket& packet) {
  TAprsMessageData& msg = packet.MessageData;
  msg.Addressee.assign(TrimView(SubView(info, 0, 9)));
  std::string_view t = SubView(info, 10);

  if (t.size() > 3) {
    const bool ack = StartsNoCase(t, "ACK");
    if (ack || StartsNoCase(t, "REJ")) {
      msg.MsgType = ack ? mtAck : mtRej;
      SplitReplyAck(t.substr(3), msg, false);
      msg.MsgText.clear();
      return;
    }
  }

  const size_t brace = t.rfind('{');
  if (brace != std::string_view::npos) {
    SplitReplyAck(t.substr(brace + 1), msg, true);
    t = t.substr(0, brace);
  }

  msg.MsgType = mtGeneral;
  msg.MsgText.assign(t);
  if (t.empty()) return;

  const std::string_view addressee = msg.Addressee;
  if (StartsNoCase(addressee, "NWS-")) {
    msg.MsgType = mtNWS;
  } else if (StartsNoCase(addressee, "NWS_")) {
    msg.MsgType = mtNWS;
    msg.Addressee[3] = '-';
  } else if (StartsNoCase(addressee, "BLN")) {
    if (addressee.size() > 3) {
      if (IsDigit(addressee[3]))
        msg.MsgType = mtBulletin;
      else if (IsLetter(addressee[3]))
        msg.MsgType = mtAnnouncement;
    }
  } else if (StartsNoCase(t, "AA:")) {
    msg.MsgType = mtAutoAnswer;
  }

  if (msg.MsgType == mtNWS) {
    const size_t first = t.find(',');
    if (first != std::string_view::npos) {
      const std::string_view rest = t.substr(first + 1);
      const size_t second = rest.find(',');
      if (second != std::string_view::npos) msg.NWSState.assign(rest.substr(second + 1, 2));
    }
  }
}

void DecodeObject(std::string_view info, TAprsPacket& packet) {
  packet.ObjectData.Name.assign(TrimView(SubView(info, 0, 9)));
  packet.ObjectData.Active = info.size() > 9 && info[9] == '*';
  DecodeTimeStamp(SubView(info, 10, 7), packet);
  std::string rest(SubView(info, 17));
  DecodePosition(rest, packet);
  packet.Comment = std::move(rest);
}

void DecodeItem(std::string_view info, TAprsPacket& packet) {
  // Item names may hold neither "!" nor "_", so whichever comes first ends the name; a killed
  // item with a "!" in its comment stays killed.
  const size_t p = std::min(info.find('!'), info.find('_'));
  if (p == std::string_view::npos) return;
  packet.ObjectData.Name.assign(TrimView(info.substr(0, p)));
  packet.ObjectData.Active = info[p] == '!';
  std::string rest(info.substr(p + 1));
  DecodePosition(rest, packet);
  packet.Comment = std::move(rest);
}

void DecodeStatus(std::string_view t, TAprsPacket& packet) {
  packet.Comment.assign(t);
  if (t.empty()) return;

  // A timestamp needs all seven characters; a short text such as "4 buzz" is plain status.
  if (IsDigit(t[0]) && t.size() >= 7 && (t[6] == 'z' || t[6] == 'Z')) {
    DecodeTimeStamp(t.substr(0, 7), packet);
    packet.Comment.assign(t.substr(7));
  } else {
    // "IO91/G text" or "IO91ab/G text": locator, symbol table and code, then a blank.
    const size_t blank = t.find(' ');
    if ((blank == 6 || blank == 8) && IsFieldLetter(t[0]) && IsFieldLetter(t[1]) && IsDigit(t[2]) &&
        IsDigit(t[3])) {
      LocatorPosition(t.substr(0, blank - 2), packet);
      packet.SymbolTableIdentifier = t[blank - 2];
      packet.SymbolCode = t[blank - 1];
      packet.Position.MobileUnit = IsMobileSymbol(packet.SymbolTableIdentifier, packet.SymbolCode);
      packet.Comment.assign(t.substr(blank + 1));
    }
  }

  std::string& comment = packet.Comment;
  const size_t hat = comment.find('^');
  if (hat != std::string::npos && comment.size() == hat + 3) {
    TStationCapabilitiesRec& caps = packet.StationCapabilities;
    caps.Antenna.Heading = BeamHeading(comment[hat + 1]);
    caps.Power = BeamPower(comment[hat + 2]);
    caps.Valid = true;
    comment.resize(hat);
  }

  RoundCoordinates(packet);
}

void DecodeBeacon(std::string_view info, TAprsPacket& packet) {
  packet.Comment.assign(info);
  const std::string_view s = TrimView(info);
  // Past the end counts as blank, as if the text were padded.
  auto at = [s](size_t i) { return i < s.size() ? UpperChar(s[i]) : ' '; };
  // A locator is a word of its own: "dumm21" or "KPC382" hold none.
  auto inWord = [&at](size_t i) { return IsLetter(at(i)) || IsDigit(at(i)); };
  for (size_t i = 0; i + 3 < s.size(); ++i) {
    if (!IsFieldLetter(s[i]) || !IsFieldLetter(s[i + 1]) || !IsDigit(s[i + 2]) || !IsDigit(s[i + 3]) ||
        (i > 0 && inWord(i - 1)))
      continue;
    char locator[6];
    size_t length = 4;
    for (size_t k = 0; k < 4; ++k) locator[k] = UpperChar(s[i + k]);
    const char c5 = at(i + 4), c6 = at(i + 5);
    if (c5 >= 'A' && c5 <= 'Z' && c6 >= 'A' && c6 <= 'Z') {
      locator[4] = c5;
      locator[5] = c6;
      length = 6;
    }
    if (inWord(i + length)) continue;
    LocatorPosition(std::string_view(locator, length), packet);
    if (packet.Position.Valid) break;
  }
  RoundCoordinates(packet);
}

void DecodeGridLocator(std::string_view info, TAprsPacket& packet) {
  // The locator runs to the "]" (as SplitToken splits it), without copying the field first.
  const size_t close = info.find(']');
  const std::string_view locator = TrimView(info.substr(0, close));
  const std::string_view rest = close == std::string_view::npos ? std::string_view() : TrimView(info.substr(close + 1));
  LocatorPosition(locator, packet);
  packet.Comment.assign(rest);
  RoundCoordinates(packet);
}

}  // namespace druv
