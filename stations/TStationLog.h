#pragma once
// The station log: every received monitor line goes through Process once, in arrival order. It
// parses the line, adds or updates the sender's record in the station table, files weather
// reports, messages and relayed traffic into their lists by data type, and merges the sender
// into the sorted station list. The main window's ticker and druv-replay both use it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/DateTime.h"
#include "parser/TAprsPacket.h"
#include "stations/TLineList.h"

namespace druv {

class IClock;
class TStationTable;

// "%8.3f": 8 wide, 3 decimals, a point whatever the locale.
std::string FormatFixed8_3(double v);

class TStationLog {
 public:
  // The clock gives the parser's receive time and the local time written to TIME; the system
  // clock when none is given. The table may be attached later; lines processed without one
  // still go to the lists.
  explicit TStationLog(TStationTable* table = nullptr, const IClock* clock = nullptr);

  void SetTable(TStationTable* table);
  TStationTable* Table() const { return Table_; }
  void SetClock(const IClock* clock);

  TLineList WeatherStations;  // weather lines as received (and timestamped reports with messaging)
  TLineList Messages;         // "addressee * sender    text"
  TLineList ThirdParty;       // "sender   relayed text"
  TSortedLineList Stations;   // station calls, case-insensitive order, each once

  // Lines without ">" and lines starting with "cmd" are not packets and are skipped. Every
  // error after that is swallowed. True when the parser made a packet of the line.
  bool Process(std::string_view line);
  // Once per line the parser made a packet of, after the table and lists were updated.
  std::function<void(const TAprsPacket& packet, const std::string& line)> OnPacket;
  // How TIME shows the local time of day; "HH:MM:SS" unless the window sets the user's format.
  void SetTimeFormat(std::function<std::string(TDateTime localNow)> format);

  // "Clear RAW Data": the weather-station list and the station list; the table, the message list
  // and the relayed-traffic list stay.
  void ClearRawData();

  size_t LinesProcessed() const { return LinesProcessed_; }
  size_t PacketsMade() const { return PacketsMade_; }

 private:
  // The record's id, or none when the table refused the change or there is no table.
  size_t UpdateTable(const TAprsPacket& packet, const std::string& line, const std::string& grid);
  void MergeIntoStationList(const std::string& call, size_t recordId);
  void FileByType(TAprsDataType type, const TAprsPacket& packet, const std::string& line);
  const std::string& TimeText();

  TStationTable* Table_;
  const IClock* Clock_;
  // Per record: 1 + the station list's generation in which its call was put there, so a station
  // heard again is known to be listed without searching the list.
  std::vector<uint64_t> Listed_;
  uint64_t ListedTableEmptyCount_ = 0;
  size_t LinesProcessed_ = 0, PacketsMade_ = 0;
  std::function<std::string(TDateTime)> FormatTimeOfDay_;
  long long TimeSecond_ = -1;  // the second TimeText_ was formatted for
  std::string TimeText_;
};

}  // namespace druv
