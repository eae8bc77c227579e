#pragma once
// The symbol sheets: pictures of 21 x 21 pixel APRS symbols, 17 cells a row, "tileset.bmp" for the
// primary table and "tileset2.bmp" for the alternate one. A symbol index (1 to 120) picks a cell;
// the current symbol image is the cell of the current index in the sheet chosen by the table switch.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/ImageCodecs.h"

namespace druv {

struct TSymbolCellRec {
  int Column = 0, Row = 0;  // counted from 0 at the sheet's top-left corner
  int Left = 0, Top = 0;    // pixel rectangle, 21 wide and 21 high
};

// Cell of index n: column (n - 1) mod 17, row (n div 17) - 1. Indexes 1 to 16 address row -1,
// above the sheet.
TSymbolCellRec SymbolCell(int index);

// The cell of a sheet as a 21 x 21 image; pixels outside the sheet are white.
TRasterImage CutSymbolCell(const TRasterImage& sheet, const TSymbolCellRec& cell);

class TSymbolSheet {
 public:
  static constexpr int CellSize = 21, CellsPerRow = 17;
  static constexpr int MinIndex = 1, MaxIndex = 120, DefaultIndex = 25;
  static constexpr const char* PrimaryFileName = "tileset.bmp";
  static constexpr const char* AlternateFileName = "tileset2.bmp";
  // Reads a sheet file (BMP); throws druv::Error.
  using TLoader = std::function<TRasterImage(const std::string& path)>;

  // folder holds the sheet files (with a trailing '/'). The image stays blank until Start.
  TSymbolSheet(std::string folder, TLoader loader);
  // The first index change (index 25, primary table), run once the window exists; throws
  // druv::Error when the sheet cannot be read.
  void Start() { IndexChange(); }

  int Index() const { return Index_; }
  // The index spin box: values below 1 become 1, above 120 become 120. Setting the value the box
  // already holds changes nothing; any other value runs the index change. Returns whether it ran.
  // A sheet that cannot be read throws; the index has moved but the previous image stays.
  bool SetIndex(int index);

  // The table switch: checked is the primary table. Changing it alone changes no image.
  bool PrimaryTable() const { return Primary_; }
  void SetPrimaryTable(bool primary) { Primary_ = primary; }

  // What a plot does for each station: table switch and index together; the index change runs
  // when either differs from what the current image shows.
  bool SelectSymbol(bool primaryTable, int index);

  // The current 21 x 21 symbol image.
  const TRasterImage& Image() const { return Image_; }
  // Counts the images made, so a view can redraw only when it changed.
  uint64_t ImageSerial() const { return Serial_; }
  // The sheet of a table as read from its file (read once and kept).
  const TRasterImage& Sheet(bool primaryTable);
  std::string SheetPath(bool primaryTable) const;

  // Called after every index change that made a new image.
  std::function<void()> OnImageChanged;

 private:
  void IndexChange();

  std::string Folder_;
  TLoader Loader_;
  int Index_ = DefaultIndex;
  bool Primary_ = true;
  bool ImagePrimary_ = true;  // the table the current image was cut from
  TRasterImage Image_;
  uint64_t Serial_ = 0;
  std::optional<TRasterImage> Sheets_[2];
};

}  // namespace druv
