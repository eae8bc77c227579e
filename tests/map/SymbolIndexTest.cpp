#include <gtest/gtest.h>

#include <string>

#include "map/SymbolIndex.h"
#include "map/TSymbolSheet.h"

namespace druv {
namespace {

// The sheets put the symbol of code c at row (c - 33) / 16, column (c - 33) % 16.
int LayoutIndex(char c) {
  const int k = c - 33;
  const int row = k / 16, column = k % 16;
  return 17 * (row + 1) + column + 1;
}

TEST(SymbolIndexFor, PrimaryCodesShowTheirOwnCell) {
  const std::string primary = "!\"#%&'-./023456789:<>@AIKOQRSW[\\^_abcdefghjkmnopqruvy";
  for (char c : primary) {
    const int index = SymbolIndexFor("/", std::string(1, c), "");
    EXPECT_EQ(index, LayoutIndex(c)) << c;
    const TSymbolCellRec cell = SymbolCell(index);
    EXPECT_EQ(cell.Row, (c - 33) / 16) << c;
    EXPECT_EQ(cell.Column, (c - 33) % 16) << c;
  }
}

TEST(SymbolIndexFor, SharedCellsUnknownCodesAndTables) {
  struct {
    const char* Table;
    const char* Code;
    const char* Comment;
    int Index;
  } cases[] = {
      {"/", ",", "", 24}, {"/", "1", "", 24}, {"/", "'", "", 24}, {"/", "s", "", 106},
      {"/", "_", "", 83}, {"/", "_", "wind @ 5 mph", 113}, {"/", "W", "a@b", 75},
      {"/", "$", "", 113}, {"/", "z", "", 113}, {"/", "", "", 113}, {"/", ">>", "", 113},
      {"/", "k", "", 96}, {"/", "K", "", 62},
      {"1", "K", "", 62}, {"S", "_", "", 83}, {"", ">", "", 48},  // overlays and none count as "/"
      {"\\", "K", "", 62}, {"\\", "m", "", 98}, {"\\", "g", "", 92}, {"\\", "o", "", 100},
      {"\\", "v", "", 108}, {"\\", "_", "", 113}, {"\\", "#", "", 113}, {"\\", "k", "", 113},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SymbolIndexFor(c.Table, c.Code, c.Comment), c.Index) << c.Table << c.Code << " " << c.Comment;
}

TEST(SymbolIndexFor, StationLookUpTableUsesTheCodeAlone) {
  struct {
    char Code;
    int Index;
  } cases[] = {
      {'!', 18}, {'"', 19}, {'#', 20}, {'&', 23}, {'-', 30}, {':', 44}, {'<', 46}, {'@', 50}, {'_', 83},
      {'>', 48}, {'a', 52}, {'c', 88}, {'W', 75}, {'[', 79}, {'\\', 80}, {',', 24}, {'\'', 24}, {'1', 24},
      {'^', 82}, {'n', 99}, {'I', 60}, {'k', 96}, {'v', 108}, {'u', 107}, {'h', 20}, {'j', 95}, {'o', 100},
      {'/', 32}, {'y', 111}, {'K', 113}, {'b', 113}, {'\0', 113},
  };
  for (const auto& c : cases) EXPECT_EQ(InfoSymbolIndex(c.Code), c.Index) << c.Code;
}

}  // namespace
}  // namespace druv
