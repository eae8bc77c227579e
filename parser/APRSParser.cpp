#include "parser/APRSParser.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/Text.h"
#include "parser/Decoders.h"
#include "parser/ParserText.h"

namespace druv {

using namespace parsertext;
namespace {

constexpr size_t npos = std::string_view::npos;

struct THeader {
  size_t Gt = npos;     // first ">"
  size_t Colon = npos;  // first ":", npos when the line is refused
};

// The header test. The source may have 9 characters, 10 when it carries the digipeated mark "*".
THeader HeaderTest(std::string_view line) {
  THeader h;
  h.Gt = line.find('>');
  const size_t colon = line.find(':');
  const size_t g = h.Gt == npos ? 0 : h.Gt + 1;  // 1-based, 0 when absent
  const size_t k = colon == npos ? 0 : colon + 1;
  const size_t limit = line.substr(0, g).find('*') != npos ? 11 : 10;
  if (g <= limit && g < k) h.Colon = colon;
  return h;
}

// Identifier byte -> first DataTypeTable entry with that identifier; 0 (dtUnknown) when none.
const std::array<uint8_t, 256>& IdentifierTable() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    t.fill(0xFF);
    for (int i = 0; i < AprsDataTypeCount; ++i) {
      auto b = static_cast<unsigned char>(DataTypeTable[i][0]);
      if (t[b] == 0xFF) t[b] = static_cast<uint8_t>(i);
    }
    for (auto& v : t)
      if (v == 0xFF) v = dtUnknown;
    return t;
  }();
  return table;
}

// A "!" further into the information field still marks a position; receivers decode it from
// the character after that "!" so that leading free text does not shift the coordinates.
std::string_view PositionStart(const TAprsPacket& packet) {
  std::string_view info = packet.InformationField;
  std::string_view raw = packet.RawPacket;
  const size_t colon = raw.find(':');
  if (colon == npos || colon + 1 >= raw.size() || raw[colon + 1] == '!') return info;
  std::string_view whole = raw.substr(colon + 1);
  const size_t bang = whole.substr(0, 40).find('!');
  if (bang == npos) return info;
  return whole.substr(bang + 1);
}

// "PORT=" in any case; '=' is rare in a header, so look for it first.
size_t FindPortTail(std::string_view header) {
  for (size_t eq = header.find('='); eq != npos; eq = header.find('=', eq + 1))
    if (eq >= 4 && MatchesAt(header, eq - 4, "PORT=")) return eq - 4;
  return npos;
}

// The SSID as a 32-bit integer; 0 unless the text is all digits and fits.
uint32_t ReadSsid(std::string_view number) {
  if (number.empty()) return 0;
  uint64_t v = 0;
  for (char c : number) {
    if (!IsDigit(c)) return 0;
    v = std::min<uint64_t>(v * 10 + static_cast<uint64_t>(c - '0'), uint64_t{1} << 32);
  }
  return v > 0x7FFFFFFF ? 0 : static_cast<uint32_t>(v);
}

// Bytes the path scan stops at: commas, the digipeated mark and the first letters of the markers.
constexpr uint8_t kComma = 1, kStar = 2, kMarker = 4;
constexpr std::array<uint8_t, 256> kPathClass = [] {
  std::array<uint8_t, 256> t{};
  t[static_cast<unsigned char>(',')] = kComma;
  t[static_cast<unsigned char>('*')] = kStar;
  for (unsigned char c : {'T', 't', 'R', 'r', 'N', 'n', '<'}) t[c] = kMarker;
  return t;
}();

bool IsReversePathFiller(std::string_view e) {
  if (e.size() == 3 && e[0] == 'Q') return true;  // q-constructs of the Internet side
  return StartsWith(e, "WIDE") || StartsWith(e, "IGATE") || StartsWith(e, "TRACE") || StartsWith(e, "RELAY");
}

}  // namespace

TAprsDataType IdentifyDataType(std::string_view info) {
  if (info.empty()) return dtBeacon;
  auto id = static_cast<TAprsDataType>(IdentifierTable()[static_cast<unsigned char>(info[0])]);
  if (id == dtUnknown) return info.substr(0, 40).find('!') != npos ? dtPosition : dtBeacon;
  return id;
}

std::string NormalizeMonitorLine(std::string_view s) {
  const size_t u = s.find("<UI");
  if (u == npos) return std::string(s);
  const size_t uu = s.find("<<UI");
  const size_t c = s.find(':');
  // 1-based positions, 0 when absent, so the comparisons read as the TNC rule is written.
  auto pos = [](size_t p) { return p == npos ? size_t{0} : p + 1; };
  const size_t U = pos(u), UU = pos(uu), C = pos(c);
  size_t headEnd;    // characters before this 1-based position form the head
  size_t tailStart;  // 1-based
  if (C < UU) {
    headEnd = C;
    tailStart = pos(s.find(">>:")) + 2;
  } else if (C < U) {
    headEnd = C;
    tailStart = pos(s.find(">:")) + 1;
  } else if (UU > 0) {
    headEnd = UU;
    tailStart = pos(s.find(">>:")) + 2;
  } else {
    headEnd = U;
    tailStart = pos(s.find(">:")) + 1;
  }
  std::string_view head = TrimView(s.substr(0, headEnd == 0 ? 0 : headEnd - 1));
  std::string_view tail = TrimView(SubView(s, tailStart - 1));
  std::string out;
  out.reserve(head.size() + tail.size());
  out.append(head).append(tail);
  return out;
}

TCallsignRec ParseCallsign(std::string_view text) {
  TCallsignRec r;
  AssignUpper(r.StationCall, text);
  std::string_view s = r.StationCall;
  if (s.empty()) return r;
  if (IsDigit(s.back())) {
    size_t i = s.size();
    while (i > 0 && s[i - 1] != '-' && !IsUpperLetter(s[i - 1])) --i;
    if (i == 0) {
      // Digits only: nothing marks where an SSID would start, so the whole field is the call.
      r.CallSign = r.StationCall;
      return r;
    }
    const size_t mark = i - 1;
    r.SSID = static_cast<uint8_t>(ReadSsid(s.substr(mark + 1)) & 0xFF);
    s = s.substr(0, s[mark] == '-' ? mark : mark + 1);
  }
  r.CallSign.assign(s);
  return r;
}

void SplitToken(std::string& text, std::string_view delimiters, std::string& token) {
  const size_t i = text.find_first_of(delimiters);
  if (i == std::string::npos) {
    token.assign(TrimView(text));
    text.clear();
    return;
  }
  token.assign(TrimView(std::string_view(text).substr(0, i)));
  std::string_view rest = TrimView(std::string_view(text).substr(i + 1));
  const size_t start = static_cast<size_t>(rest.data() - text.data());
  const size_t length = rest.size();
  text.erase(start + length);
  text.erase(0, start);
}

int CountHops(const TAprsPacket& packet) {
  if (packet.ViaInternet) return 0;
  int hops = 0;
  for (const std::string& element : packet.Digipeaters) {
    std::string_view e = element;
    if (!e.empty() && e.back() == '*') {
      if (e.find('-') != npos) {
        hops += 1;
      } else if (e.size() >= 2 && e[e.size() - 2] >= '1' && e[e.size() - 2] <= '7') {
        hops += e[e.size() - 2] - '0';
      } else {
        hops += 1;
      }
    } else if (e.size() == 3 && UpperChar(e[0]) == 'Q') {
      hops += 1;
    } else {
      // WIDEn-N: each distinct "n-m" (7 >= n > m >= 1) in the element says n-m hops were used.
      uint64_t seen = 0;
      for (size_t i = 1; i + 1 < e.size(); ++i) {
        if (e[i] != '-') continue;
        const int n = e[i - 1] - '0', m = e[i + 1] - '0';
        if (n >= 2 && n <= 7 && m >= 1 && m < n) seen |= uint64_t{1} << (n * 8 + m);
      }
      for (int n = 2; seen != 0 && n <= 7; ++n)
        for (int m = 1; m < n; ++m)
          if (seen & (uint64_t{1} << (n * 8 + m))) hops += n - m;
    }
  }
  return hops;
}

void ParsePath(TAprsPacket& packet, std::string_view path) {
  // One pass splits the elements and finds the markers: every line has a path.
  bool tcpxx = false, rfOnly = false, noGate = false, tcpip = false, monitorMark = false;
  bool listOpen = true, starred = false, segmentStarred = false;
  packet.Digipeaters.reserve(packet.Digipeaters.size() + 1 +
                             static_cast<size_t>(std::count(path.begin(), path.end(), ',')));
  size_t segmentStart = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    const uint8_t cls = i < path.size() ? kPathClass[static_cast<unsigned char>(path[i])] : kComma;
    if (cls == 0) continue;
    if (cls == kComma) {
      // An empty element ends the list; the markers are still looked for in the rest.
      if (listOpen) {
        std::string_view token = TrimView(path.substr(segmentStart, i - segmentStart));
        if (token.empty()) {
          listOpen = false;
        } else {
          starred = starred || segmentStarred;
          for (char& c : packet.Digipeaters.emplace_back(token)) c = UpperChar(c);
        }
      }
      segmentStart = i + 1;
      segmentStarred = false;
    } else if (cls == kStar) {
      segmentStarred = true;
    } else {
      switch (UpperChar(path[i])) {
        case 'T':
          tcpxx = tcpxx || MatchesAt(path, i, "TCPXX");
          tcpip = tcpip || MatchesAt(path, i, "TCPIP");
          break;
        case 'R': rfOnly = rfOnly || MatchesAt(path, i, "RFONLY"); break;
        case 'N': noGate = noGate || MatchesAt(path, i, "NOGATE"); break;
        default: monitorMark = monitorMark || MatchesAt(path, i, "<UI C>"); break;
      }
    }
  }
  packet.TCPXX = tcpxx;
  packet.RFOnly = rfOnly;
  packet.NoGate = noGate;
  packet.ViaInternet = tcpip || tcpxx || monitorMark;
  if (starred) packet.HeardDirectly = false;

  packet.ReversePath.clear();
  if (!packet.ViaInternet && !packet.HeardDirectly) {
    size_t length = 0;  // exact, so a short reverse path stays in the string's own buffer
    for (const std::string& e : packet.Digipeaters)
      if (!IsReversePathFiller(e)) length += (length ? 1 : 0) + e.size() - (!e.empty() && e.back() == '*');
    packet.ReversePath.reserve(length);
    for (auto it = packet.Digipeaters.rbegin(); it != packet.Digipeaters.rend(); ++it) {
      std::string_view e = *it;
      if (IsReversePathFiller(e)) continue;
      if (!e.empty() && e.back() == '*') e.remove_suffix(1);
      if (!packet.ReversePath.empty()) packet.ReversePath += ',';
      packet.ReversePath.append(e);
    }
  }
  packet.HopCount = CountHops(packet);
}

void DecodeInformation(TAprsPacket& packet) {
  std::string_view info = packet.InformationField;
  switch (packet.DataTypeID) {
    case dtBeacon: DecodeBeacon(info, packet); break;
    case dtMicECurrent:
    case dtMicEOld:
    case dtTMD700:
    case dtMicE: DecodeMicE(info, packet); break;
    case dtPosition: DecodePositionPacket(PositionStart(packet), packet); break;
    case dtPositionMsg: DecodePositionPacket(info, packet); break;
    case dtItem: DecodeItem(info, packet); break;
    case dtPositionTime:
    case dtPositionTimeMsg: DecodePositionTime(info, packet); break;
    case dtMessage: DecodeMessage(info, packet); break;
    case dtObject: DecodeObject(info, packet); break;
    case dtStatus: DecodeStatus(info, packet); break;
    case dtMaidenheadGridLoc: DecodeGridLocator(info, packet); break;
    case dtRawGPSorU2K: DecodeRawGPS(info, packet); break;
    default: break;
  }
  // For every decoder at once: a position that did not decode, or lies off the earth, keeps nothing.
  SettlePosition(packet);
  ParsePHG(packet);
  ParseDFS(packet);
}

std::unique_ptr<TAprsPacket> ParsePacket(std::string_view line, int16_t port, TDateTime now) {
  try {
    // Most lines carry no TNC decoration; only decorated ones need a rewritten copy.
    std::string normalized;
    std::string_view text = line;
    if (line.find("<UI") != npos) {
      normalized = NormalizeMonitorLine(line);
      text = normalized;
    }
    const THeader test = HeaderTest(text);
    const size_t colon = test.Colon;
    if (colon == npos) return nullptr;
    const TAprsDataType id = IdentifyDataType(text.substr(colon + 1));

    auto packet = std::make_unique<TAprsPacket>();
    TAprsPacket& p = *packet;
    if (normalized.empty())
      p.RawPacket.assign(text);
    else
      p.RawPacket = std::move(normalized);
    text = p.RawPacket;
    p.SourcePort = port;
    if (port > 0)
      p.LastHeardRadio = now;
    else
      p.LastHeardOther = now;
    p.TimeStamp.DateTime = now;
    p.TimeStamp.Valid = true;
    p.TimeReceived = now;
    p.DataTypeID = id;

    std::string_view header = text.substr(0, colon);
    std::string_view info = text.substr(colon + 1);
    if (id != dtUnknown && id != dtBeacon) info = SubView(info, 1);
    p.InformationField.assign(info);
    const size_t portAt = FindPortTail(header);
    if (portAt != npos) header = TrimView(header.substr(0, portAt));
    p.SourcePathHeader.assign(header);

    const size_t gt = test.Gt;
    std::string_view source = gt == npos ? std::string_view() : text.substr(0, gt);
    if (source.find('*') != npos) source.remove_suffix(1);
    p.SourceCallSign = ParseCallsign(TrimView(source));

    std::string_view h = p.SourcePathHeader;
    const size_t hgt = h.find('>');
    if (hgt != npos) h.remove_prefix(hgt + 1);
    const size_t comma = h.find(',');
    size_t gt2 = npos;
    if (comma != npos) {
      AssignUpper(p.DestinationCallSign, h.substr(0, comma));
      ParsePath(p, h.substr(comma + 1));
    } else if ((gt2 = h.find('>')) != npos) {
      AssignUpper(p.DestinationCallSign, h.substr(gt2 + 1));
      ParsePath(p, {});
    } else {
      AssignUpper(p.DestinationCallSign, h);
      p.HeardDirectly = true;
    }

    DecodeInformation(p);

    if (p.Position.Valid && p.Position.Gridsquare.empty())
      p.Position.Gridsquare = LatLonToGrid(p.Position.Longitude.Value, p.Position.Latitude.Value);
    p.Valid = p.DataTypeID != dtUnknown && !p.SourceCallSign.CallSign.empty();
    return packet;
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<TAprsPacket> ParsePacket(std::string_view line, int16_t port) {
  return ParsePacket(line, port, UtcNow());
}

TAprsDataType LineDataType(std::string_view line) {
  const size_t colon = HeaderTest(line).Colon;
  if (colon == npos) return dtUnknown;
  return IdentifyDataType(line.substr(colon + 1));
}

void TAprsPacket::Assign(const TAprsPacket& source) {
  if (&source == this) return;
  Comment = source.Comment;
  DataTypeID = source.DataTypeID;
  DestinationCallSign = source.DestinationCallSign;
  Digipeaters = source.Digipeaters;
  FromD7 = source.FromD7;
  FromD700 = source.FromD700;
  HeardDirectly = source.HeardDirectly;
  InformationField = source.InformationField;
  LastHeardOther = source.LastHeardOther;
  LastHeardRadio = source.LastHeardRadio;
  MessageData = source.MessageData;
  ObjectData = source.ObjectData;
  Position = source.Position;
  RawPacket = source.RawPacket;
  SourceCallSign = source.SourceCallSign;
  SourcePathHeader = source.SourcePathHeader;
  StationCapabilities = source.StationCapabilities;
  SymbolCode = source.SymbolCode;
  SymbolTableIdentifier = source.SymbolTableIdentifier;
  TimeReceived = source.TimeReceived;
  TimeStamp = source.TimeStamp;
  Valid = source.Valid;
}

}  // namespace druv
