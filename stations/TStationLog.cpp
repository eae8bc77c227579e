#include "stations/TStationLog.h"

#include <cmath>

#include "common/Numbers.h"
#include "common/Text.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"
#include "platform/IClock.h"
#include "stations/TStationTable.h"

namespace druv {

namespace {
const TSystemClock SystemClock;

std::string CharText(char c) { return c == 0 ? std::string() : std::string(1, c); }
}  // namespace

std::string FormatFixed8_3(double v) {
  std::string s = FormatFixed(v, 3);
  if (s.size() < 8) s.insert(0, 8 - s.size(), ' ');
  return s;
}

TStationLog::TStationLog(TStationTable* table, const IClock* clock)
    : Table_(table), Clock_(clock ? clock : &SystemClock) {}

void TStationLog::SetTable(TStationTable* table) {
  Table_ = table;
  Listed_.clear();
}

void TStationLog::SetClock(const IClock* clock) {
  Clock_ = clock ? clock : &SystemClock;
  TimeSecond_ = -1;
}

void TStationLog::SetTimeFormat(std::function<std::string(TDateTime)> format) {
  FormatTimeOfDay_ = std::move(format);
  TimeSecond_ = -1;
}

// Formatted once per second of the clock: at hundreds of thousands of lines a second, most lines
// share the text of the one before.
const std::string& TStationLog::TimeText() {
  const TDateTime now = Clock_->LocalNow();
  const long long second = static_cast<long long>(std::floor(now * 86400.0));
  if (second != TimeSecond_) {
    TimeText_ = FormatTimeOfDay_ ? FormatTimeOfDay_(now) : FormatTime(now);
    TimeSecond_ = second;
  }
  return TimeText_;
}

bool TStationLog::Process(std::string_view lineView) {
  if (!Contains(lineView, ">") || StartsWith(lineView, "cmd")) return false;
  ++LinesProcessed_;
  bool made = false;
  try {
    const std::string line(lineView);
    auto packet = ParsePacket(line, 0, Clock_->UtcNow());
    if (!packet) return false;
    made = true;
    ++PacketsMade_;
    const TAprsDataType type = LineDataType(line);
    const std::string grid = LatLonToGrid(packet->Position.Longitude.Value, packet->Position.Latitude.Value);
    // A value the table refuses loses this record change only.
    size_t id = TStationTable::NoRecord;
    try {
      id = UpdateTable(*packet, line, grid);
    } catch (...) {
      if (Table_) Table_->Cancel();
    }
    FileByType(type, *packet, line);
    MergeIntoStationList(packet->SourceCallSign.StationCall, id);
    if (OnPacket) OnPacket(*packet, line);
  } catch (...) {
    // Nothing of the station log reaches the user or the ticker.
  }
  return made;
}

size_t TStationLog::UpdateTable(const TAprsPacket& p, const std::string& line, const std::string& grid) {
  if (!Table_) return TStationTable::NoRecord;
  TStationTable& t = *Table_;
  if (!t.Active()) t.Open();
  const std::string& call = p.SourceCallSign.StationCall;
  const double lat = p.Position.Latitude.Value, lon = p.Position.Longitude.Value;
  if (t.Locate(sfStn, call)) {
    t.Edit();
    t.Field(sfPacket2).SetAsString(p.RawPacket);
    t.Field(sfPacket).SetAsString(line);
    if (p.SymbolCode != 0) t.Field(sfSymbol).SetAsString(CharText(p.SymbolCode));
    t.Field(sfTableId).SetAsString(CharText(p.SymbolTableIdentifier));
    t.Field(sfTime).SetAsString(TimeText());
    t.Field(sfStn).SetAsString(call);
    // A packet without position keeps the last known one (and so does a station on the equator).
    if (lat != 0) t.Field(sfLat).SetAsString(FormatFixed8_3(lat));
    if (lon != 0) t.Field(sfLon).SetAsString(FormatFixed8_3(lon));
    t.Field(sfInfo).SetAsString(p.InformationField);
    t.Field(sfComment).SetAsString(p.Comment);
    t.Field(sfGrid).SetAsString(grid);
    t.Post();
  } else {
    t.AppendRecord({TimeText(), call, p.InformationField, p.Comment, FormatFixed8_3(lat), FormatFixed8_3(lon), line,
                    std::string(), CharText(p.SymbolCode), CharText(p.SymbolTableIdentifier), grid});
  }
  return t.CurrentId();
}

void TStationLog::MergeIntoStationList(const std::string& call, size_t id) {
  if (Table_ && Table_->EmptyCount() != ListedTableEmptyCount_) {
    Listed_.clear();
    ListedTableEmptyCount_ = Table_->EmptyCount();
  }
  const uint64_t mark = Stations.Generation() + 1;
  if (id != TStationTable::NoRecord && id < Listed_.size() && Listed_[id] == mark) return;
  Stations.Add(call);
  if (id == TStationTable::NoRecord) return;
  if (id >= Listed_.size()) Listed_.resize(id + 1, 0);
  Listed_[id] = mark;
}

void TStationLog::FileByType(TAprsDataType type, const TAprsPacket& p, const std::string& line) {
  if (type == dtWeatherReport || type == dtPeetBrosUII1 || type == dtPeetBrosUII2) WeatherStations.Append(line);
  if (type == dtMessage)
    Messages.Append(p.MessageData.Addressee + " * " + p.SourceCallSign.CallSign + "    " + p.MessageData.MsgText);
  // Every timestamped report with messaging lands here, weather or not; the weather views sort them out.
  if (type == dtPositionTimeMsg && Contains(line, ":@")) WeatherStations.Append(line);
  if (type == dtThirdParty) {
    const std::string& info = p.InformationField;
    const size_t semi = info.find(';');
    ThirdParty.Append(p.SourceCallSign.CallSign + "   " + (semi == std::string::npos ? info : info.substr(semi + 1)));
  }
}

void TStationLog::ClearRawData() {
  WeatherStations.Clear();
  Stations.Clear();
}

}  // namespace druv
