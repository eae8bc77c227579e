#include "stations/TWeatherGrid.h"

#include "common/Text.h"
#include "parser/APRSParser.h"
#include "stations/TLineList.h"
#include "stations/WeatherText.h"

namespace druv {

const std::array<int, TWeatherGrid::ColCount> TWeatherGrid::ColWidths = {64, 64, 64, 64, 64, 64, 64,
                                                                         64, 64, 64, 64, 64, 59, 293};
const std::array<std::string_view, 13> TWeatherGrid::Headers = {
    "Call", "Date", "Time", "WindDir.", "W.Speed", "W.Gusts", "Temp.", "RainLHour", "RainL24", "RainSMidNight",
    "Humidity", "BarP", "Units"};

TWeatherGrid::TWeatherGrid() : Rows_(InitialRowCount), Written_(InitialRowCount, false) {}

void TWeatherGrid::WriteHeaders() {
  for (size_t c = 0; c < Headers.size(); ++c) Rows_[0][c] = std::string(Headers[c]);
  Written_[0] = true;
}

std::vector<size_t> TWeatherGrid::WrittenRows() const {
  std::vector<size_t> out;
  for (size_t r = 0; r < Rows_.size(); ++r)
    if (Written_[r]) out.push_back(r);
  return out;
}

size_t TWeatherGrid::RowOf(const std::string& call) const {
  auto it = RowOfCall_.find(UpperCase(call));
  return it == RowOfCall_.end() ? 0 : it->second;
}

void TWeatherGrid::WriteCall(size_t row, const std::string& call) {
  if (row >= Rows_.size()) {
    Rows_.resize(row + 1);
    Written_.resize(row + 1, false);
  }
  std::string& cell = Rows_[row][0];
  if (!Written_[row] || UpperCase(cell) != UpperCase(call)) {
    auto old = RowOfCall_.find(UpperCase(cell));
    if (old != RowOfCall_.end() && old->second == row) RowOfCall_.erase(old);
    RowOfCall_[UpperCase(call)] = row;
  }
  cell = call;
  Written_[row] = true;
}

void TWeatherGrid::Refresh(const TLineSource& lines) {
  if (lines.Generation() != Generation_ || lines.Count() < Done_) {
    Generation_ = lines.Generation();
    Done_ = 0;
  }
  for (; Done_ < lines.Count(); ++Done_) ApplyLine(lines.At(Done_), Done_);
}

void TWeatherGrid::ApplyLine(std::string_view line, size_t i) {
  auto packet = ParsePacket(line, 0);
  if (!packet) return;
  const std::string& call = packet->SourceCallSign.StationCall;
  const std::string_view info = packet->InformationField;
  const long long len = static_cast<long long>(info.size());
  const size_t u = Pos("_", info);
  const std::string_view wx = Copy(info, static_cast<long long>(u), len - static_cast<long long>(u));
  const bool at = packet->DataTypeCh() == '@';
  // A timestamped report that is no weather (a car's position), or one with "_P" (a PHG
  // extension after a "_" symbol), is passed over; the stations after it still get their rows.
  if ((at && u == 0) || Contains(info, "_P")) return;

  size_t row = RowOf(call);
  if (row == 0) row = i + 1;
  WriteCall(row, call);
  TRow& r = Rows_[row];
  // n characters of wx after its first letter c (from the start when wx has none).
  auto after = [&](std::string_view text, char c, long long n, long long skip = 1) {
    return std::string(Copy(text, static_cast<long long>(Pos(std::string_view(&c, 1), text)) + skip, n));
  };
  auto afterOrDots = [&](char c, long long n) {
    return Pos(std::string_view(&c, 1), wx) > 0 ? after(wx, c, n) : std::string("..");
  };
  if (at) {
    r[1] = std::string(Copy(info, 1, 2));
    r[2] = std::string(Copy(info, 3, 4));
    r[3] = std::string(Copy(info, static_cast<long long>(u) + 1, 3));
    r[4] = std::string(Copy(info, static_cast<long long>(u) + 5, 3));
    r[5] = after(wx, 'g', 3);
    r[6] = after(wx, 't', 3);
    r[7] = after(wx, 'r', 3);
    r[8] = afterOrDots('p', 3);
    r[9] = afterOrDots('P', 3);
    r[10] = afterOrDots('h', 2);
    r[11] = afterOrDots('b', 5);
    r[12] = "..";
    r[13] = after(wx, 'b', 30, 6);
  } else {
    r[1] = after(wx, '_', 4);
    r[2] = after(wx, '_', 4, 5);
    const char letters[] = {'c', 's', 'g', 't', 'r', 'p', 'P'};
    for (int k = 0; k < 7; ++k) r[3 + k] = after(wx, letters[k], 3);
    r[10] = after(wx, 'h', 2);
    r[11] = after(wx, 'b', 5);
    r[12] = "..";
    r[13] = "..";
  }
}

}  // namespace druv
