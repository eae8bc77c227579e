#pragma once
// The weather grid of the "Weather" tab: one row per weather station, filled from the
// weather-station list each time the tab is shown. Row 0 holds the headers; a new station takes
// row i + 1 for its line at list index i, and the grid grows so every written row is shown.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace druv {

class TLineSource;

class TWeatherGrid {
 public:
  static constexpr int ColCount = 14;
  static constexpr size_t InitialRowCount = 50;  // the header row included
  using TRow = std::array<std::string, ColCount>;
  static const std::array<int, ColCount> ColWidths;      // pixels
  static const std::array<std::string_view, 13> Headers;  // columns 0 to 12

  TWeatherGrid();

  // The window's creation hook writes the headers into row 0.
  void WriteHeaders();
  // Reads the list's lines and writes their rows. Lines read by an earlier refresh of the same
  // list are not read again: their rows would come out the same.
  void Refresh(const TLineSource& weatherLines);
  // The same for one line at list index i.
  void ApplyLine(std::string_view line, size_t i);

  size_t RowCount() const { return Rows_.size(); }
  const TRow& Row(size_t r) const { return Rows_[r]; }
  const std::string& Cell(int col, size_t row) const { return Rows_[row][static_cast<size_t>(col)]; }
  // Row 0 and the rows a line was written to, in row order.
  std::vector<size_t> WrittenRows() const;

 private:
  void WriteCall(size_t row, const std::string& call);
  size_t RowOf(const std::string& call) const;  // 0 when no station row holds it

  std::vector<TRow> Rows_;
  std::vector<bool> Written_;
  std::unordered_map<std::string, size_t> RowOfCall_;  // upper-cased call to its row
  uint64_t Generation_ = UINT64_MAX;
  size_t Done_ = 0;
};

}  // namespace druv
