#pragma once
// One decoded packet as one line of JSON (UTF-8), written with RapidJSON's Writer into a byte buffer.
// RAPIDJSON_SSE2 stays off: the SSE2 scan of RapidJSON 1.1.0 lets the control bytes 0x1A to 0x1F
// through unescaped, and Mic-E data carries 0x1C to 0x1E.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <rapidjson/writer.h>

#include "common/DateTime.h"
#include "common/Text.h"
#include "parser/TAprsPacket.h"

namespace druv {

// True when JSON needs none of the bytes escaped or converted: printable ASCII other than the
// quote and the backslash. Eight bytes are tested at a time; this runs over every text of a line.
inline bool IsPlainJsonText(std::string_view s) {
  constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
  // Some byte of v is below n (n <= 0x80); exact as a yes/no answer.
  auto anyBelow = [](uint64_t v, uint64_t n) { return (v - kOnes * n) & ~v & kHigh; };
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, s.data() + i, 8);
    if ((w & kHigh) | anyBelow(w, 0x20) | anyBelow(w ^ (kOnes * '"'), 1) | anyBelow(w ^ (kOnes * '\\'), 1))
      return false;
  }
  for (; i < s.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') return false;
  }
  return true;
}

// The byte buffer the writer writes into, with a block append for texts that need no escaping.
class TJsonOutput {
 public:
  using Ch = char;
  void Put(char c) {
    if (Size == Bytes.size()) Grow(1);
    Bytes[Size++] = c;
  }
  void PutUnsafe(char c) { Bytes[Size++] = c; }  // after Reserve
  void Flush() {}
  char* Push(size_t n) {
    if (Bytes.size() - Size < n) Grow(n);
    char* at = Bytes.data() + Size;
    Size += n;
    return at;
  }
  void Append(std::string_view s) {
    if (!s.empty()) std::memcpy(Push(s.size()), s.data(), s.size());
  }
  void Reserve(size_t n) {
    if (Bytes.size() - Size < n) Grow(n);
  }
  const char* Data() const { return Bytes.data(); }
  size_t GetSize() const { return Size; }
  void Clear() { Size = 0; }

 private:
  // Rare, and kept out of line so that Put stays small enough to inline.
  [[gnu::noinline]] void Grow(size_t n) { Bytes.resize(std::max(Bytes.size() * 2, Size + n + 4096)); }
  std::vector<char> Bytes;
  size_t Size = 0;
};

}  // namespace druv

// The writer reserves room once per value and then puts bytes unchecked, as it does for its own
// StringBuffer.
namespace rapidjson {
template <>
inline void PutReserve(druv::TJsonOutput& stream, size_t count) {
  stream.Reserve(count);
}
template <>
inline void PutUnsafe(druv::TJsonOutput& stream, char c) {
  stream.PutUnsafe(c);
}
}  // namespace rapidjson

namespace druv {

class TJsonLineWriter {
 public:
  explicit TJsonLineWriter(TJsonOutput& buffer) : Buffer(buffer), W(buffer) {}

  void Null() {
    W.Reset(Buffer);
    W.Null();
    Buffer.Put('\n');
  }

  void Packet(const TAprsPacket& p) {
    W.Reset(Buffer);
    W.StartObject();
    Bool("valid", p.Valid);
    Text("source", p.SourceCallSign.StationCall);
    Text("callsign", p.SourceCallSign.CallSign);
    Int("ssid", p.SourceCallSign.SSID);
    Text("destination", p.DestinationCallSign);
    Key("digipeaters");
    W.StartArray();
    for (const std::string& d : p.Digipeaters) String(d);
    W.EndArray();
    Int("hop_count", p.HopCount);
    Bool("heard_directly", p.HeardDirectly);
    Text("reverse_path", p.ReversePath);
    Bool("via_internet", p.ViaInternet);
    Text("type", p.DataTypeID < AprsDataTypeCount ? DataTypeNames[p.DataTypeID] : DataTypeNames[0]);
    Char("type_ch", p.DataTypeCh());
    Text("information_field", p.InformationField);
    Text("comment", p.Comment);
    Char("symbol_table", p.SymbolTableIdentifier);
    Char("symbol_code", p.SymbolCode);
    const TPositionRec& pos = p.Position;
    Bool("position_valid", pos.Valid);
    Number("lat", pos.Latitude.Value);
    Number("lon", pos.Longitude.Value);
    Text("lat_nmea", pos.Latitude.NMEA);
    Text("lon_nmea", pos.Longitude.NMEA);
    Text("gridsquare", pos.Gridsquare);
    Int("course", pos.Course);
    Int("speed", pos.Speed);
    Int("altitude", pos.Altitude);
    Int("ambiguity", pos.Ambiguity);
    Bool("mobile", pos.MobileUnit);
    Timestamp("timestamp", p.TimeStamp.DateTime);
    Bool("timestamp_valid", p.TimeStamp.Valid);
    Bool("from_d7", p.FromD7);
    Bool("from_d700", p.FromD700);

    const TAprsMessageData& m = p.MessageData;
    if (m.MsgType != mtUnknown || m.MsgIndex != 0) {
      Key("message");
      W.StartObject();
      Text("type", MessageTypeEnumNames[m.MsgType < MessageTypeCount ? m.MsgType : mtUnknown]);
      Text("addressee", m.Addressee);
      Text("text", m.MsgText);
      Text("seq_id", m.SeqID);
      Text("reply_ack", m.ReplyAck);
      Text("nws_state", m.NWSState);
      Int("index", m.MsgIndex);
      W.EndObject();
    }
    if (!p.ObjectData.Name.empty()) {
      Key("object");
      W.StartObject();
      Text("name", p.ObjectData.Name);
      Bool("active", p.ObjectData.Active);
      W.EndObject();
    }
    const TStationCapabilitiesRec& c = p.StationCapabilities;
    if (c.Valid) {
      Key("capabilities");
      W.StartObject();
      Int("power", c.Power);
      Antenna(c.Antenna);
      Number("range_miles", c.RadioRange);
      Text("value", c.PHGValue);
      Bool("non_standard", c.NonStandard);
      Int("beacon_rate", c.BeaconRate);
      Bool("default_values", c.DefaultValues);
      W.EndObject();
    }
    const TDFReportRec& d = p.DFReport;
    if (d.Valid) {
      Key("df");
      W.StartObject();
      Int("signal", d.Signal);
      Int("power", d.Power);
      Antenna(d.Antenna);
      Number("range_miles", d.RadioRange);
      Text("value", d.DFSValue);
      W.EndObject();
    }
    W.EndObject();
    Buffer.Put('\n');
  }

 private:
  // Keys are fixed names that need no escaping.
  [[gnu::always_inline]] void Key(std::string_view k) { PutRaw(k); }
  [[gnu::always_inline]] void Bool(std::string_view k, bool v) {
    Key(k);
    W.Bool(v);
  }
  [[gnu::always_inline]] void Int(std::string_view k, int64_t v) {
    Key(k);
    W.Int64(v);
  }
  void Text(std::string_view k, std::string_view bytes) {
    Key(k);
    String(bytes);
  }
  // One-character text, "" for none.
  void Char(std::string_view k, char c) {
    Key(k);
    String(c == 0 ? std::string_view() : std::string_view(&c, 1));
  }

  // A text that needs no escaping, in quotes. The writer puts the separator and counts the value;
  // the bytes go straight into the buffer, past the writer's byte-by-byte escape loop.
  [[gnu::always_inline]] void PutRaw(std::string_view text) {
    W.RawValue("", 0, rapidjson::kStringType);
    char* o = Buffer.Push(text.size() + 2);
    o[0] = '"';
    if (!text.empty()) std::memcpy(o + 1, text.data(), text.size());
    o[text.size() + 1] = '"';
  }

  // Most packet text is plain ASCII, copied as it is; other ASCII goes to the writer to escape,
  // and text with bytes above 0x7F is converted from code page 1252 first.
  void String(std::string_view bytes) {
    if (IsPlainJsonText(bytes)) {
      PutRaw(bytes);
      return;
    }
    if (std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
      W.String(bytes.data(), static_cast<rapidjson::SizeType>(bytes.size()));
      return;
    }
    Scratch = Cp1252ToUtf8(bytes);
    W.String(Scratch.data(), static_cast<rapidjson::SizeType>(Scratch.size()));
  }

  // A value that is not finite has no JSON number; null keeps the line well-formed.
  void Number(std::string_view k, double v) {
    Key(k);
    if (std::isfinite(v))
      W.Double(v);
    else
      W.Null();
  }

  // The shortest text that reads back as the same float: 4.472136, not 4.4721360206604.
  void Number(std::string_view k, float v) {
    Key(k);
    if (!std::isfinite(v)) {
      W.Null();
      return;
    }
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    W.RawValue(buf, static_cast<size_t>(r.ptr - buf), rapidjson::kNumberType);
  }

  void Antenna(const TAntenna& a) {
    Int("height", a.Height);
    Int("gain", a.Gain);
    Int("heading", a.Heading);
    Text("heading_str", a.HeadingStr);
  }

  // ISO 8601 in UTC: 2025-03-15T16:00:05Z, with milliseconds when there are any. Packets without
  // a timestamp of their own carry the receive time, so runs of lines share one text.
  void Timestamp(std::string_view k, TDateTime t) {
    Key(k);
    if (!(t > -693594.0 && t < 2958466.0)) {
      W.Null();
      return;
    }
    if (t != LastTime || LastTimeText.empty()) {
      LastTime = t;
      LastTimeText = IsoText(t);
    }
    PutRaw(LastTimeText);
  }

  static std::string IsoText(TDateTime t) {
    const TDateTimeParts p = DecodeDateTime(t);
    char buf[32];
    char* o = buf;
    auto put = [&o](int v, int digits) {
      for (int i = digits - 1; i >= 0; --i) {
        o[i] = static_cast<char>('0' + v % 10);
        v /= 10;
      }
      o += digits;
    };
    auto sep = [&o](char c) { *o++ = c; };
    put(p.Year, 4), sep('-'), put(p.Month, 2), sep('-'), put(p.Day, 2), sep('T');
    put(p.Hour, 2), sep(':'), put(p.Minute, 2), sep(':'), put(p.Second, 2);
    if (p.MilliSecond != 0) {
      sep('.');
      put(p.MilliSecond, 3);
    }
    sep('Z');
    return std::string(buf, o);
  }

  TJsonOutput& Buffer;
  rapidjson::Writer<TJsonOutput> W;
  std::string Scratch;
  TDateTime LastTime = 0;
  std::string LastTimeText;
};

}  // namespace druv
