#pragma once
// The symbol sheets drawn from 20 x 20 pixel symbol art ("symbols.dat": a TABLE line per symbol
// table, then per symbol an "APRS c" line and twenty rows of colour letters, "." transparent).
#include <QImage>
#include <map>
#include <string>
#include <vector>

namespace druv {

using TSymbolArt = std::vector<std::string>;  // twenty rows of twenty letters
using TSymbolTable = std::map<char, TSymbolArt>;

// Symbol tables by table character ("/", "\", ...). Throws druv::Error.
std::map<char, TSymbolTable> ReadSymbolArt(const std::string& symbolsDat);
// Colour letter -> RGB; "transparent" entries are left out. Throws druv::Error.
std::map<char, QRgb> ReadPalette(const std::string& paletteTsv);

// A 357 x 147 sheet of 21 x 21 cells, 17 a row: the symbol of code c in row (c - 33) / 16,
// column (c - 33) % 16, drawn at the cell's top-left corner on white; pure white inside a symbol
// becomes (254, 254, 254), because the map draws white as transparent. The cell of "{" and the
// cells of unassigned codes the plot uses show the unknown symbol; other cells without a symbol,
// column 16 and row 6 stay magenta.
QImage DrawSymbolSheet(const TSymbolTable& table, const TSymbolArt& unknown, const std::string& unknownCodes,
                       const std::map<char, QRgb>& palette);

}  // namespace druv
