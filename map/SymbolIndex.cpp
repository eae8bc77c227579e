#include "map/SymbolIndex.h"

#include <array>

namespace druv {

namespace {

// Primary table codes that have a cell of their own; every cell follows the sheet layout (code c
// at row (c - 33) / 16, column (c - 33) % 16), except "," and "1", which share the cell of "'", and
// "s", which shares the cell of "t".
constexpr std::array<std::pair<char, int>, 56> PrimaryIndexes = {{
    {'!', 18}, {'"', 19}, {'#', 20}, {'%', 22}, {'&', 23}, {'\'', 24}, {',', 24}, {'-', 30},
    {'.', 31}, {'/', 32}, {'0', 33}, {'1', 24}, {'2', 36}, {'3', 37}, {'4', 38}, {'5', 39},
    {'6', 40}, {'7', 41}, {'8', 42}, {'9', 43}, {':', 44}, {'<', 46}, {'>', 48}, {'@', 50},
    {'A', 52}, {'I', 60}, {'K', 62}, {'O', 66}, {'Q', 69}, {'R', 70}, {'S', 71}, {'W', 75},
    {'[', 79}, {'\\', 80}, {'^', 82}, {'_', 83}, {'a', 86}, {'b', 87}, {'c', 88}, {'d', 89},
    {'e', 90}, {'f', 91}, {'g', 92}, {'h', 93}, {'j', 95}, {'k', 96}, {'m', 98}, {'n', 99},
    {'o', 100}, {'p', 101}, {'q', 103}, {'r', 104}, {'s', 106}, {'u', 107}, {'v', 108}, {'y', 111},
}};

constexpr std::array<std::pair<char, int>, 5> AlternateIndexes = {{
    {'K', 62}, {'m', 98}, {'g', 92}, {'o', 100}, {'v', 108},
}};

constexpr std::array<std::pair<char, int>, 29> InfoIndexes = {{
    {'!', 18}, {'"', 19}, {'#', 20}, {'&', 23}, {'-', 30}, {':', 44}, {'<', 46}, {'@', 50}, {'_', 83}, {'>', 48},
    {'a', 52}, {'c', 88}, {'W', 75}, {'[', 79}, {'\\', 80}, {',', 24}, {'\'', 24}, {'1', 24}, {'^', 82}, {'n', 99},
    {'I', 60}, {'k', 96}, {'v', 108}, {'u', 107}, {'h', 20}, {'j', 95}, {'o', 100}, {'/', 32},
    {'y', 111},
}};

template <size_t N>
int Lookup(const std::array<std::pair<char, int>, N>& table, char code) {
  for (const auto& [c, index] : table)
    if (c == code) return index;
  return UnknownSymbolIndex;
}

}  // namespace

int SymbolIndexFor(std::string_view table, std::string_view code, std::string_view comment) {
  if (code.size() != 1) return UnknownSymbolIndex;
  if (IsAlternateTable(table)) return Lookup(AlternateIndexes, code[0]);
  if (code[0] == '_' && comment.find('@') != std::string_view::npos) return UnknownSymbolIndex;
  return Lookup(PrimaryIndexes, code[0]);
}

int InfoSymbolIndex(char code) { return Lookup(InfoIndexes, code); }

}  // namespace druv
