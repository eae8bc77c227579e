#include "stations/StationExport.h"

#include "common/Numbers.h"
#include "common/Text.h"
#include "stations/TLineList.h"
#include "stations/TStationTable.h"
#include "stations/TWeatherGrid.h"

namespace druv {

std::string CsvField(std::string_view cp1252) {
  std::string utf8 = Cp1252ToUtf8(cp1252);
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string StationTableCsv(const TStationTable& table) {
  std::string out;
  for (int f = 0; f < StationFieldCount; ++f) {
    if (f > 0) out += ',';
    out += StationFieldDefs[f].Name;
  }
  out += "\r\n";
  table.ForEachInOrder([&](TStationTable::TRecordId, const TStationRec& r) {
    for (int f = 0; f < StationFieldCount; ++f) {
      if (f > 0) out += ',';
      const auto field = static_cast<TStationField>(f);
      out += StationFieldDefs[f].IsFloat ? FormatFixed(f == sfLat ? r.LAT : r.LON, 3) : CsvField(FieldText(r, field));
    }
    out += "\r\n";
  });
  return out;
}

std::string WeatherGridCsv(const TWeatherGrid& grid) {
  std::string out;
  for (size_t row : grid.WrittenRows()) {
    for (int c = 0; c < TWeatherGrid::ColCount; ++c) {
      if (c > 0) out += ',';
      out += CsvField(grid.Cell(c, row));
    }
    out += "\r\n";
  }
  return out;
}

std::string ListText(const TLineSource& list) {
  std::string out;
  for (size_t i = 0; i < list.Count(); ++i) {
    out += Cp1252ToUtf8(list.At(i));
    out += "\r\n";
  }
  return out;
}

}  // namespace druv
