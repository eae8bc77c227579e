#include "parser/TAprsPacket.h"

namespace druv {

using namespace std::string_view_literals;

const std::array<std::string_view, AprsDataTypeCount> DataTypeTable = {
    " Unknown/Invalid"sv,
    " Beacon"sv,
    "\x1C" "Current Mic-E Data (Rev 0 beta)"sv,
    "\x1D" "Old Mic-E Data (Rev 0 beta)"sv,
    "!Position without timestamp (no APRS messaging), or Ultimeter 2000 WX Station"sv,
    "#Peet Bros U-II Weather Station"sv,
    "$Raw GPS data or Ultimeter 2000"sv,
    "%Agrelo DFJr / MicroFinder"sv,
    "&[Reserved - Map Feature]"sv,
    "'Old Mic-E Data (but current for TM-D700)"sv,
    ")Item"sv,
    "*Peet Bros U-II Weather Station"sv,
    "+[Reserver - Shelter data with time]"sv,
    ",Invalid data or test data"sv,
    ".[Reserver - Space Weather]"sv,
    "/Position with timestamp (no APRS messaging)"sv,
    ":Message"sv,
    ";Object"sv,
    "<Station Capabilities"sv,
    "=Position without timestamp (with APRS messaging)"sv,
    ">Status"sv,
    "?Query"sv,
    "@Position with timestamp (with APRS messaging)"sv,
    "TTelemetry data"sv,
    "[Maidenhead grid locator beacon (obsolete)"sv,
    "_Weather Report (without position)"sv,
    "`Current Mic-E data"sv,
    "{User-Defined APRS packet format"sv,
    "}Third-party traffic"sv,
};

const std::array<std::string_view, MessageTypeCount> MessageTypeNames = {
    "Unknown"sv, "General"sv, "Bulletin"sv, "Announcement"sv, "NWS"sv, "Ack"sv, "Rej"sv, "AutoAnswer"sv};

const std::array<std::string_view, AprsDataTypeCount> DataTypeNames = {
    "dtUnknown"sv,        "dtBeacon"sv,       "dtMicECurrent"sv,     "dtMicEOld"sv,
    "dtPosition"sv,       "dtPeetBrosUII1"sv, "dtRawGPSorU2K"sv,     "dtMicroFinder"sv,
    "dtMapFeature"sv,     "dtTMD700"sv,       "dtItem"sv,            "dtPeetBrosUII2"sv,
    "dtShelterData"sv,    "dtInvalidOrTestData"sv, "dtSpaceWeather"sv, "dtPositionTime"sv,
    "dtMessage"sv,        "dtObject"sv,       "dtStationCaps"sv,     "dtPositionMsg"sv,
    "dtStatus"sv,         "dtQuery"sv,        "dtPositionTimeMsg"sv, "dtTelemetry"sv,
    "dtMaidenheadGridLoc"sv, "dtWeatherReport"sv, "dtMicE"sv,        "dtUserDefined"sv,
    "dtThirdParty"sv};

const std::array<std::string_view, MessageTypeCount> MessageTypeEnumNames = {
    "mtUnknown"sv, "mtGeneral"sv, "mtBulletin"sv, "mtAnnouncement"sv,
    "mtNWS"sv,     "mtAck"sv,     "mtRej"sv,      "mtAutoAnswer"sv};

char TAprsPacket::DataTypeCh() const { return DataTypeTable[DataTypeID < AprsDataTypeCount ? DataTypeID : 0][0]; }

std::string_view TAprsPacket::DataTypeStr() const {
  return DataTypeTable[DataTypeID < AprsDataTypeCount ? DataTypeID : 0].substr(1);
}

}  // namespace druv
