#pragma once
// The station log written out as files: the table and the weather grid as CSV (RFC 4180, UTF-8,
// lines ended by CR LF), a list as one UTF-8 item per line.
#include <string>
#include <string_view>

namespace druv {

class TStationTable;
class TWeatherGrid;
class TLineSource;

// An 8-bit text as one CSV field: quoted when it holds a comma, a quote, CR or LF.
std::string CsvField(std::string_view cp1252);
// A header row with the eleven field names, then the records in table order, LAT and LON "%.3f".
std::string StationTableCsv(const TStationTable& table);
// Every written row of the grid, the header row first, 14 fields each.
std::string WeatherGridCsv(const TWeatherGrid& grid);
std::string ListText(const TLineSource& list);

}  // namespace druv
