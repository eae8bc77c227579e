#pragma once
// What the station detail views show, worked out without windows: the symbol name of a record,
// the station lookup's texts, a raw line's details, and the nearest-station search.
#include <optional>
#include <string>
#include <string_view>

namespace druv {

struct TStationRec;
class TStationTable;

// The plain name of a symbol code ("CAR", "WX STN" ...), "--" for any other. A "_" station whose
// information field holds "_P" or "_p" is not named a weather station.
std::string_view SymbolName(std::string_view symbol, std::string_view info);

// The station lookup's texts for one record.
struct TStationLookupRec {
  std::string Station;     // Label1
  std::string Grid;        // Label2: from LAT and LON, so the last known position's square
  std::string Comment;     // Label5: "Comment; " and COMMENT
  std::string Packet;      // Label7: PACKET directly followed by PACKET2
  std::string Memo;        // Memo1: PACKET as one line
  std::string SymbolName;  // Label6
  bool IsWeatherStation;   // the name reads "WX STN": the weather breakdown runs
};
TStationLookupRec StationLookup(const TStationRec& r);

// A raw list line opened afresh with the parser. Nothing when the parser refuses it.
struct TRawLineDetailsRec {
  std::string Verbose;  // the full text rendering, lines ended by CR LF
  std::string Station, Grid, Course, Speed, Comment;
};
std::optional<TRawLineDetailsRec> RawLineDetails(std::string_view line);

// The station whose locator square holds the point: the first record, in the table's current
// order, whose GRID equals the point's 6-character locator. "JJ00AA" stands for "no position"
// and never counts as found. Packet is the PACKET of the record the table then stands on: the
// found one, else the first one (empty for an empty table).
struct TNearestStationRec {
  std::string Grid;
  bool Found = false;
  std::string StatusText;
  std::string Packet;
};
TNearestStationRec NearestStation(TStationTable& table, double latitude, double longitude);

// The interface the station map fills: where the nearest-station search hands its find.
class IStationMapLink {
 public:
  virtual ~IStationMapLink() = default;
  // The map's status panel 3.
  virtual void SetSearchStatus(const std::string& text) = 0;
  // Fills and shows the station information window from one stored packet text.
  virtual void GetAllInfo(const std::string& packet) = 0;
};

}  // namespace druv
