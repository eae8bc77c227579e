#include "map/TSymbolSheet.h"

#include <algorithm>
#include <cstring>

#include "common/Error.h"
#include "map/SymbolIndex.h"

namespace druv {

TSymbolCellRec SymbolCell(int n) {
  TSymbolCellRec c;
  c.Column = (n - 1) % TSymbolSheet::CellsPerRow;
  c.Row = n / TSymbolSheet::CellsPerRow - 1;
  c.Left = TSymbolSheet::CellSize * c.Column;
  c.Top = TSymbolSheet::CellSize * c.Row;
  return c;
}

TRasterImage CutSymbolCell(const TRasterImage& sheet, const TSymbolCellRec& cell) {
  constexpr int n = TSymbolSheet::CellSize;
  TRasterImage out;
  out.Width = out.Height = n;
  out.Rgb.assign(static_cast<size_t>(n * n * 3), 0xFF);
  for (int y = 0; y < n; ++y) {
    const int sy = cell.Top + y;
    if (sy < 0 || sy >= sheet.Height) continue;
    const int x0 = std::max(0, -cell.Left), x1 = std::min(n, sheet.Width - cell.Left);
    if (x0 >= x1) continue;
    std::memcpy(&out.Rgb[static_cast<size_t>((y * n + x0) * 3)],
                &sheet.Rgb[(static_cast<size_t>(sy) * static_cast<size_t>(sheet.Width) +
                            static_cast<size_t>(cell.Left + x0)) * 3],
                static_cast<size_t>((x1 - x0) * 3));
  }
  return out;
}

TSymbolSheet::TSymbolSheet(std::string folder, TLoader loader) : Folder_(std::move(folder)), Loader_(std::move(loader)) {
  Image_.Width = Image_.Height = CellSize;
  Image_.Rgb.assign(static_cast<size_t>(CellSize * CellSize * 3), 0xFF);
}

std::string TSymbolSheet::SheetPath(bool primaryTable) const {
  return Folder_ + (primaryTable ? PrimaryFileName : AlternateFileName);
}

const TRasterImage& TSymbolSheet::Sheet(bool primaryTable) {
  std::optional<TRasterImage>& sheet = Sheets_[primaryTable ? 0 : 1];
  if (!sheet) {
    if (!Loader_) throw Error("No picture loader for " + SheetPath(primaryTable));
    sheet = Loader_(SheetPath(primaryTable));
  }
  return *sheet;
}

void TSymbolSheet::IndexChange() {
  const TRasterImage& sheet = Sheet(Primary_);
  // Indexes 1 to 16 point above the sheet; they show the unknown symbol rather than nothing.
  const int cellIndex = Index_ < CellsPerRow ? UnknownSymbolIndex : Index_;
  Image_ = CutSymbolCell(sheet, SymbolCell(cellIndex));
  ImagePrimary_ = Primary_;
  ++Serial_;
  if (OnImageChanged) OnImageChanged();
}

bool TSymbolSheet::SetIndex(int index) {
  index = std::clamp(index, MinIndex, MaxIndex);
  if (index == Index_) return false;
  Index_ = index;
  IndexChange();
  return true;
}

bool TSymbolSheet::SelectSymbol(bool primaryTable, int index) {
  index = std::clamp(index, MinIndex, MaxIndex);
  Primary_ = primaryTable;
  if (index == Index_ && primaryTable == ImagePrimary_ && Serial_ > 0) return false;
  Index_ = index;
  IndexChange();
  return true;
}

}  // namespace druv
