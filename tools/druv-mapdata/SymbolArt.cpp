#include "tools/druv-mapdata/SymbolArt.h"

#include <sstream>

#include "common/Error.h"
#include "common/Files.h"

namespace druv {

namespace {
constexpr int Cell = 21, Columns = 17, Rows = 7, ArtSize = 20;
constexpr QRgb Magenta = 0xFFFF00FF, White = 0xFFFFFFFF, NearWhite = 0xFFFEFEFE;
}  // namespace

std::map<char, TSymbolTable> ReadSymbolArt(const std::string& symbolsDat) {
  std::optional<std::vector<std::string>> lines = ReadLines(symbolsDat);
  if (!lines) throw Error("Cannot read " + symbolsDat);
  std::map<char, TSymbolTable> tables;
  TSymbolTable* table = nullptr;
  for (size_t i = 0; i < lines->size(); ++i) {
    const std::string& l = (*lines)[i];
    if (l.rfind("TABLE ", 0) == 0 && l.size() > 6) {
      table = &tables[l[6]];
    } else if (l.rfind("APRS ", 0) == 0 && l.size() > 5 && table) {
      if (i + ArtSize >= lines->size()) throw Error(symbolsDat + ": symbol " + l.substr(5, 1) + " is cut short");
      TSymbolArt art;
      for (int r = 1; r <= ArtSize; ++r) {
        std::string row = (*lines)[i + r].substr(0, ArtSize);
        row.resize(ArtSize, '.');  // one row in the file is a letter short
        art.push_back(row);
      }
      (*table)[l[5]] = art;
      i += ArtSize;
    }
  }
  return tables;
}

std::map<char, QRgb> ReadPalette(const std::string& paletteTsv) {
  std::optional<std::vector<std::string>> lines = ReadLines(paletteTsv);
  if (!lines) throw Error("Cannot read " + paletteTsv);
  std::map<char, QRgb> palette;
  for (const std::string& l : *lines) {
    if (l.empty() || (l[0] == '#' && l.size() > 1 && l[1] == ' ')) continue;  // comments; "#" is also a letter
    std::istringstream in(l);
    std::string letter, colour;
    in >> letter >> colour;
    if (letter.size() != 1 || colour.size() != 7 || colour[0] != '#') continue;
    palette[letter[0]] = 0xFF000000u | static_cast<QRgb>(std::stoul(colour.substr(1), nullptr, 16));
  }
  return palette;
}

QImage DrawSymbolSheet(const TSymbolTable& table, const TSymbolArt& unknown, const std::string& unknownCodes,
                       const std::map<char, QRgb>& palette) {
  QImage sheet(Cell * Columns, Cell * Rows, QImage::Format_RGB32);
  sheet.fill(Magenta);
  auto draw = [&](int column, int row, const TSymbolArt& art) {
    const int left = column * Cell, top = row * Cell;
    for (int y = 0; y < Cell; ++y)
      for (int x = 0; x < Cell; ++x) sheet.setPixel(left + x, top + y, White);
    for (int y = 0; y < ArtSize; ++y)
      for (int x = 0; x < ArtSize; ++x) {
        auto it = palette.find(art[static_cast<size_t>(y)][static_cast<size_t>(x)]);
        if (it == palette.end()) continue;  // transparent
        sheet.setPixel(left + x, top + y, it->second == White ? NearWhite : it->second);
      }
  };
  for (int c = 33; c <= 126; ++c) {
    const int k = c - 33;
    auto it = table.find(static_cast<char>(c));
    if (c == '{' || unknownCodes.find(static_cast<char>(c)) != std::string::npos)
      draw(k % 16, k / 16, unknown);
    else if (it != table.end())
      draw(k % 16, k / 16, it->second);
  }
  return sheet;
}

}  // namespace druv
