#pragma once
// One parsed APRS packet and its records. Texts are 8-bit (code page 1252); the comment, which
// arrives from the air in the same code page, is kept 8-bit too so it round-trips unchanged.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/DateTime.h"

namespace druv {

enum TAprsDataType : uint8_t {
  dtUnknown, dtBeacon, dtMicECurrent, dtMicEOld, dtPosition, dtPeetBrosUII1, dtRawGPSorU2K,
  dtMicroFinder, dtMapFeature, dtTMD700, dtItem, dtPeetBrosUII2, dtShelterData, dtInvalidOrTestData,
  dtSpaceWeather, dtPositionTime, dtMessage, dtObject, dtStationCaps, dtPositionMsg, dtStatus, dtQuery,
  dtPositionTimeMsg, dtTelemetry, dtMaidenheadGridLoc, dtWeatherReport, dtMicE, dtUserDefined,
  dtThirdParty
};
constexpr int AprsDataTypeCount = 29;

enum TMessageType : uint8_t { mtUnknown, mtGeneral, mtBulletin, mtAnnouncement, mtNWS, mtAck, mtRej, mtAutoAnswer };
constexpr int MessageTypeCount = 8;

// First character: the data type identifier; the rest: the description.
extern const std::array<std::string_view, AprsDataTypeCount> DataTypeTable;
extern const std::array<std::string_view, MessageTypeCount> MessageTypeNames;
// Enum value names ("dtMicE", "mtAck") for tools and tests.
extern const std::array<std::string_view, AprsDataTypeCount> DataTypeNames;
extern const std::array<std::string_view, MessageTypeCount> MessageTypeEnumNames;

struct TCoordinateRec {
  std::string NMEA;  // 3234.06N, 09715.95W
  double Value = 0;  // signed decimal degrees, north and east positive
};

struct TPositionRec {
  TCoordinateRec Latitude;
  TCoordinateRec Longitude;
  int32_t Distance = 0;
  uint8_t Ambiguity = 0;  // minute digits blanked by the sender, 0 to 4
  int32_t Course = 0;    // degrees
  int32_t Speed = 0;     // knots
  int32_t Altitude = 0;  // feet
  bool MobileUnit = false;
  bool Valid = false;
  std::string Gridsquare;
};

struct TCallsignRec {
  std::string StationCall;
  std::string CallSign;
  uint8_t SSID = 0;
};

struct TTimeStampRec {
  TDateTime DateTime = 0;  // UTC
  bool Valid = false;
};

struct TAntenna {
  int32_t Gain = 0;     // dB
  int32_t Height = 0;   // feet above average terrain
  int32_t Heading = 0;  // degrees, 0 for omnidirectional
  std::string HeadingStr;
};

struct TStationCapabilitiesRec {
  float RadioRange = 0;  // miles
  int32_t Power = 0;     // watts
  TAntenna Antenna;
  std::string PHGValue;
  bool NonStandard = false;
  int32_t BeaconRate = 0;
  bool DefaultValues = false;
  bool Valid = false;
};

struct TDFReportRec {
  float RadioRange = 0;
  int32_t Signal = 0;
  int32_t Power = 0;
  TAntenna Antenna;
  std::string DFSValue;
  bool NonStandard = false;
  bool Valid = false;
};

struct TAprsMessageData {
  std::string Addressee;
  std::string SeqID;
  std::string MsgText;
  TMessageType MsgType = mtUnknown;
  std::string NWSState;
  int32_t MsgIndex = 0;
  std::string ReplyAck;  // "AA" of a message "text{MM}AA" or an ack "ackMM}AA"
};

struct TAprsObjectData {
  bool Active = false;
  std::string Name;
};

class TAprsPacket {
 public:
  TAprsPacket() = default;  // HeardDirectly true, everything else zero or empty
  virtual ~TAprsPacket() = default;
  TAprsPacket(const TAprsPacket&) = default;
  TAprsPacket& operator=(const TAprsPacket&) = default;

  // Copies every field except DFReport, HopCount, Expires, NoGate, RFOnly, ReversePath,
  // SourcePort, TCPXX and ViaInternet.
  virtual void Assign(const TAprsPacket& source);

  char DataTypeCh() const;           // identifier of the DataTypeTable entry
  std::string_view DataTypeStr() const;  // the entry from its second character

  // Text renderings, lines separated by CR LF.
  virtual std::string VerboseDisplayStr() const;
  virtual std::string VerboseDisplayStr2() const;
  virtual std::string VerboseDisplayStr3() const;
  virtual std::string ShortVerboseDisplayStr() const;

  std::string Comment;
  TAprsDataType DataTypeID = dtUnknown;
  std::string DestinationCallSign;
  TDFReportRec DFReport;
  std::vector<std::string> Digipeaters;
  int32_t HopCount = 0;
  TDateTime Expires = 0;
  bool FromD7 = false;
  bool FromD700 = false;
  bool HeardDirectly = true;
  std::string InformationField;
  TDateTime LastHeardOther = 0;
  TDateTime LastHeardRadio = 0;
  TAprsMessageData MessageData;
  bool NoGate = false;
  TAprsObjectData ObjectData;
  TPositionRec Position;
  std::string RawPacket;
  bool RFOnly = false;
  std::string ReversePath;
  TCallsignRec SourceCallSign;
  std::string SourcePathHeader;
  int16_t SourcePort = 0;
  TStationCapabilitiesRec StationCapabilities;
  char SymbolCode = 0;             // 0 when none
  char SymbolTableIdentifier = 0;  // 0 when none
  bool TCPXX = false;
  bool ViaInternet = false;
  TDateTime TimeReceived = 0;
  TTimeStampRec TimeStamp;
  bool Valid = false;
};

}  // namespace druv
