#pragma once
// Which cell of the symbol sheets shows a station's APRS symbol.
#include <string_view>

namespace druv {

// The cell every unknown symbol code shows.
inline constexpr int UnknownSymbolIndex = 113;

// Index (1 to 120) for plotting a station of symbol table and code (one character texts). A table
// other than "/" or "\" (an overlay character) counts as "/". "_" (weather) with an "@" in the
// comment shows as unknown.
int SymbolIndexFor(std::string_view table, std::string_view code, std::string_view comment);

// The index the station look-up shows in the symbol window, from the symbol code alone.
int InfoSymbolIndex(char code);

// Whether a station of this symbol table draws from the alternate sheet.
inline bool IsAlternateTable(std::string_view table) { return table == "\\"; }

}  // namespace druv
