#include <gtest/gtest.h>

#include <array>
#include <map>

#include "common/Error.h"
#include "map/TSymbolSheet.h"

namespace druv {
namespace {

// A 357 x 147 sheet whose pixels tell where they are: red and the low bits of blue = x, green = y,
// the high bits of blue = table.
TRasterImage CodedSheet(std::uint8_t table) {
  TRasterImage s;
  s.Width = 357;
  s.Height = 147;
  s.Rgb.resize(357 * 147 * 3);
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x) {
      std::uint8_t* p = &s.Rgb[static_cast<size_t>((y * s.Width + x) * 3)];
      p[0] = static_cast<std::uint8_t>(x & 0xFF);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(table << 4 | x >> 8);
    }
  return s;
}

struct TSheetRig {
  std::map<std::string, int> Loads;
  bool Fail = false;
  TSymbolSheet Sheet{"/sheets/", [this](const std::string& path) {
                       ++Loads[path];
                       if (Fail) throw Error("Cannot open " + path);
                       return CodedSheet(path == "/sheets/tileset.bmp" ? 1 : 2);
                     }};
  // Top-left pixel of the current image: sheet x, y and table.
  std::array<int, 3> Corner() const {
    const auto& rgb = Sheet.Image().Rgb;
    return {rgb[0] | (rgb[2] & 15) << 8, rgb[1], rgb[2] >> 4};
  }
};

TEST(SymbolCell, ColumnAndRowOfAnIndex) {
  struct {
    int Index, Column, Row;
  } cases[] = {{17, 16, 0}, {18, 0, 0}, {25, 7, 0}, {34, 16, 1}, {35, 0, 1}, {113, 10, 5}, {120, 0, 6}, {1, 0, -1}};
  for (const auto& c : cases) {
    const TSymbolCellRec cell = SymbolCell(c.Index);
    EXPECT_EQ(cell.Column, c.Column) << c.Index;
    EXPECT_EQ(cell.Row, c.Row) << c.Index;
    EXPECT_EQ(cell.Left, 21 * c.Column) << c.Index;
    EXPECT_EQ(cell.Top, 21 * c.Row) << c.Index;
  }
}

TEST(SymbolCell, CutCopiesTheCellAndWhitensWhatLiesOutside) {
  const TRasterImage sheet = CodedSheet(7);
  const TRasterImage cell = CutSymbolCell(sheet, SymbolCell(35));
  ASSERT_EQ(cell.Width, 21);
  ASSERT_EQ(cell.Height, 21);
  const std::uint8_t* last = &cell.Rgb[(20 * 21 + 20) * 3];
  EXPECT_EQ(cell.Rgb[0], 0);
  EXPECT_EQ(cell.Rgb[1], 21);
  EXPECT_EQ(last[0], 20);
  EXPECT_EQ(last[1], 41);
  // A cell hanging over the right edge of a narrower sheet.
  TRasterImage narrow = sheet;
  narrow.Width = 30;
  narrow.Height = 4;
  narrow.Rgb.assign(30 * 4 * 3, 0);
  const TRasterImage over = CutSymbolCell(narrow, SymbolCell(19));  // columns 21..41, rows 0..20
  EXPECT_EQ(over.Rgb[(0 * 21 + 8) * 3], 0);       // x 29, y 0: on the sheet
  EXPECT_EQ(over.Rgb[(0 * 21 + 9) * 3], 0xFF);    // x 30: outside
  EXPECT_EQ(over.Rgb[(4 * 21 + 0) * 3], 0xFF);    // y 4: outside
}

TEST(SymbolSheet, StartsAtIndex25OfThePrimarySheet) {
  TSheetRig r;
  EXPECT_EQ(r.Sheet.Index(), 25);
  EXPECT_TRUE(r.Sheet.PrimaryTable());
  r.Sheet.Start();
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{147, 0, 1}));  // column 7 of row 0
}

TEST(SymbolSheet, IndexChanges) {
  TSheetRig r;
  r.Sheet.Start();
  EXPECT_TRUE(r.Sheet.SetIndex(18));
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{0, 0, 1}));
  EXPECT_TRUE(r.Sheet.SetIndex(17));
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{336, 0, 1}));
  // Out of range values are clamped; 0 shows what 1 shows (the unknown symbol, 1 is above the sheet).
  EXPECT_TRUE(r.Sheet.SetIndex(0));
  EXPECT_EQ(r.Sheet.Index(), 1);
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{210, 105, 1}));
  EXPECT_TRUE(r.Sheet.SetIndex(500));
  EXPECT_EQ(r.Sheet.Index(), 120);
  // The table switch alone changes nothing, nor does setting the index it already has.
  const uint64_t serial = r.Sheet.ImageSerial();
  r.Sheet.SetPrimaryTable(false);
  EXPECT_FALSE(r.Sheet.SetIndex(120));
  EXPECT_EQ(r.Sheet.ImageSerial(), serial);
  EXPECT_EQ(r.Corner()[2], 1);
  EXPECT_TRUE(r.Sheet.SetIndex(62));
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{210, 42, 2}));
  // Each sheet file is read once.
  EXPECT_EQ(r.Loads["/sheets/tileset.bmp"], 1);
  EXPECT_EQ(r.Loads["/sheets/tileset2.bmp"], 1);
}

TEST(SymbolSheet, PlotsChooseTableAndIndexTogether) {
  TSheetRig r;
  r.Sheet.Start();
  EXPECT_TRUE(r.Sheet.SelectSymbol(false, 25));  // same index, other table
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{147, 0, 2}));
  EXPECT_FALSE(r.Sheet.PrimaryTable());
  EXPECT_FALSE(r.Sheet.SelectSymbol(false, 25));
  EXPECT_TRUE(r.Sheet.SelectSymbol(true, 25));
  EXPECT_EQ(r.Corner()[2], 1);
}

TEST(SymbolSheet, AnUnreadableSheetKeepsThePreviousImage) {
  TSheetRig r;
  r.Sheet.Start();
  r.Fail = true;
  r.Sheet.SetPrimaryTable(false);
  EXPECT_THROW(r.Sheet.SetIndex(30), Error);
  EXPECT_EQ(r.Sheet.Index(), 30);
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{147, 0, 1}));
  r.Fail = false;
  EXPECT_TRUE(r.Sheet.SetIndex(31));
  EXPECT_EQ(r.Corner()[2], 2);
}

TEST(SymbolSheet, AFailedStartLeavesABlankImage) {
  TSheetRig r;
  r.Fail = true;
  EXPECT_THROW(r.Sheet.Start(), Error);
  EXPECT_EQ(r.Corner(), (std::array<int, 3>{255 | 15 << 8, 255, 15}));
}

}  // namespace
}  // namespace druv
