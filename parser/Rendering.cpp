// Text renderings of a packet for the station detail boxes.
#include <vector>
#include <string>
#include <string_view>

#include "common/DateTime.h"
#include "common/Numbers.h"
#include "parser/Decoders.h"
#include "parser/TAprsPacket.h"

namespace druv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string_view YesNo(bool b) { return b ? "Yes" : "No"; }

// Fixed ISO-style form so the text is the same whatever the locale: "2025-03-15 16:00:05",
// the time left out at exactly midnight.
std::string DateTimeText(TDateTime t) {
  // Outside years 1 to 9999 there is no calendar date to show (and no safe integer conversion).
  if (!(t > -693594.0 && t < 2958466.0)) return {};
  const TDateTimeParts p = DecodeDateTime(t);
  std::string s = FormatDate(t);
  if (p.Hour != 0 || p.Minute != 0 || p.Second != 0 || p.MilliSecond != 0) {
    s += ' ';
    s += FormatTime(t);
  }
  return s;
}

std::string DatedText(TDateTime t) { return t == 0 ? std::string() : DateTimeText(t); }

std::string SymbolText(const TAprsPacket& p) {
  std::string s;
  s += p.SymbolTableIdentifier == 0 ? ' ' : p.SymbolTableIdentifier;
  s += p.SymbolCode == 0 ? ' ' : p.SymbolCode;
  return s;
}

// An element with a blank, comma or double quote is quoted, inner quotes doubled, so the list
// still reads back element by element.
std::string DigipeaterList(const std::vector<std::string>& digis) {
  std::string s;
  for (size_t i = 0; i < digis.size(); ++i) {
    if (i > 0) s += ',';
    const std::string& d = digis[i];
    if (d.find_first_of(" ,\"") == std::string::npos) {
      s += d;
      continue;
    }
    s += '"';
    for (char c : d) {
      if (c == '"') s += '"';
      s += c;
    }
    s += '"';
  }
  return s;
}

std::string_view MessageTypeName(TMessageType t) {
  return MessageTypeNames[t < MessageTypeCount ? t : mtUnknown];
}

std::string Degrees(double v) { return FormatFixed(v, 2); }

std::string CoordinateText(const TCoordinateRec& c) { return c.NMEA + " (" + Degrees(c.Value) + ")"; }

std::string TimeStampText(const TTimeStampRec& ts) {
  return DatedText(ts.DateTime) + " UTC (" + (ts.Valid ? "Valid" : "Invalid") + ")";
}

// Lines joined by CR LF; nothing after the last one.
class TLines {
 public:
  void Add(std::string_view label, std::string_view value) {
    if (!Text.empty()) Text += kCrLf;
    Text += label;
    Text += value;
  }
  void Add(std::string_view label, long long value) { Add(label, FormatInt(value)); }
  void Title(std::string_view title) { Add(title, std::string_view()); }
  std::string Text;
};

void AddMessageBlock(TLines& out, const TAprsMessageData& m) {
  if (m.MsgType == mtUnknown) return;
  out.Title(" << Message >> ");
  out.Add("               Msg Type: ", MessageTypeName(m.MsgType));
  out.Add("              Addressee: ", m.Addressee);
  out.Add("               Msg Text: ", m.MsgText);
  out.Add("              NWS State: ", m.NWSState);
  out.Add("                   Seq#: ", m.SeqID);
  if (!m.ReplyAck.empty()) out.Add("              Reply Ack: ", m.ReplyAck);
  out.Add("              Msg Index: ", m.MsgIndex);
}

void AddObjectBlock(TLines& out, const TAprsObjectData& o) {
  if (o.Name.empty()) return;
  out.Title(" << Object/Item >> ");
  out.Add("                   Name: ", o.Name);
  out.Add("                 Active: ", YesNo(o.Active));
}

std::string RangeText(float miles) { return FormatFixed(miles, 2) + " miles"; }

}  // namespace

std::string TAprsPacket::VerboseDisplayStr() const {
  TLines out;
  out.Title(" << Packet ---------------------------------------------->>");
  out.Add("               Received: ", DateTimeText(TimeReceived) + " UTC");
  out.Add("        Original Packet: ", RawPacket);
  out.Add("                 Header: ", SourcePathHeader);
  out.Add("        Source CallSign: ", SourceCallSign.StationCall);
  out.Add("   Destination Callsign: ", DestinationCallSign);
  out.Add("            Digipeaters: ", DigipeaterList(Digipeaters));
  out.Add("              Hop Count: ", HopCount);
  out.Add("           Reverse Path: ", ReversePath);
  out.Add("                Comment: ", Comment);
  out.Add("         Heard Directly: ", YesNo(HeardDirectly));
  out.Add("      Information Field: ", InformationField);
  out.Add("           Data Type Ch: ", std::string(1, DataTypeCh()));
  out.Add("              Data Type: ", DataTypeStr());
  out.Add("             From TH-D7: ", YesNo(FromD7));
  out.Add("           From TM-D700: ", YesNo(FromD700));
  out.Add("            Source Port: ", SourcePort);
  out.Add("       Last Heard Radio: ", DatedText(LastHeardRadio));
  out.Add("       Last Heard Other: ", DatedText(LastHeardOther));
  out.Add("             Time Stamp: ", TimeStampText(TimeStamp));
  out.Add("                 Symbol: ", SymbolText(*this));

  if (Position.Valid) {
    out.Title(" << Position >> ");
    out.Add("                    Lat: ", CoordinateText(Position.Latitude));
    out.Add("                    Lon: ", CoordinateText(Position.Longitude));
    out.Add("            Grid Square: ", Position.Gridsquare);
    out.Add("                 Course: ", Position.Course);
    out.Add("                  Speed: ", Position.Speed);
    out.Add("               Altitude: ", Position.Altitude);
    out.Add("                 Mobile: ", YesNo(Position.MobileUnit));
  }

  AddMessageBlock(out, MessageData);
  AddObjectBlock(out, ObjectData);

  if (StationCapabilities.Valid) {
    const TStationCapabilitiesRec& c = StationCapabilities;
    out.Title(" << Station Capabilities >> ");
    out.Add("                  Power: ", FormatInt(c.Power) + " watts");
    out.Add("           Antenna HAAT: ", FormatInt(c.Antenna.Height) + "ft");
    out.Add("           Antenna Gain: ", FormatInt(c.Antenna.Gain) + "db");
    out.Add("        Antenna Heading: ", c.Antenna.HeadingStr);
    out.Add("            Radio Range: ", RangeText(c.RadioRange));
    out.Add("             PHG String: ", c.PHGValue);
    out.Add("   Relaxed PHG Checking: ", RelaxedPHG ? "On" : "Off");
    out.Add("         Spec Compliant: ", YesNo(!c.NonStandard));
    out.Add("            Beacon Rate: ", c.BeaconRate);
  }

  if (DFReport.Valid) {
    const TDFReportRec& d = DFReport;
    out.Title(" << DF Report >> ");
    out.Add("          Signal Report: ", "S" + FormatInt(d.Signal));
    out.Add("           Antenna HAAT: ", FormatInt(d.Antenna.Height) + "ft");
    out.Add("           Antenna Gain: ", FormatInt(d.Antenna.Gain) + "db");
    out.Add("        Antenna Heading: ", d.Antenna.HeadingStr);
    out.Add("            Radio Range: ", RangeText(d.RadioRange));
    out.Add("             DFS String: ", d.DFSValue);
  }
  return std::move(out.Text);
}

std::string TAprsPacket::ShortVerboseDisplayStr() const {
  TLines out;
  out.Add("  CallSign: ", SourceCallSign.StationCall);
  out.Add("     Hop Count: ", HopCount);
  out.Add("     Comment: ", Comment);
  out.Add("     Heard Directly: ", YesNo(HeardDirectly));
  out.Add("     Info Field: ", InformationField);
  out.Add("     Data Type Ch: ", std::string(1, DataTypeCh()));
  out.Add("     Data Type: ", DataTypeStr());
  out.Add("     Time Stamp: ", TimeStampText(TimeStamp));
  out.Add("     Symbol: ", SymbolText(*this));
  if (Position.Valid) {
    out.Add("   Lat: ", CoordinateText(Position.Latitude));
    out.Add("   Lon: ", CoordinateText(Position.Longitude));
    out.Add("   Grid Square: ", Position.Gridsquare);
    out.Add("   Course: ", Position.Course);
    out.Add("   Speed: ", Position.Speed);
    out.Add("   Altitude: ", Position.Altitude);
    out.Add("   Mobile: ", YesNo(Position.MobileUnit));
  }
  AddMessageBlock(out, MessageData);
  AddObjectBlock(out, ObjectData);
  return std::move(out.Text);
}

std::string TAprsPacket::VerboseDisplayStr2() const {
  if (!Position.Valid) return {};
  return " Lat: " + CoordinateText(Position.Latitude) + std::string(kCrLf) + "                    Lon: " +
         CoordinateText(Position.Longitude);
}

std::string TAprsPacket::VerboseDisplayStr3() const {
  if (!Position.Valid) return {};
  return FormatGeneral(Position.Latitude.Value) + "*" + FormatGeneral(Position.Longitude.Value);
}

}  // namespace druv
