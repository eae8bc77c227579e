#pragma once
// Web-Mercator tile numbers, tile keys and addresses, and the corner texts of the map maker.
// All tile arithmetic uses 3.14159 for pi, so that the tiles and corners match the maps
// and locator files the station has always made.
#include <string>

namespace druv {

constexpr double TilePi = 3.14159;
constexpr double TileTwoPi = 6.28318;
constexpr double TileDegreesPerRadian = 57.29582790879777437834;  // 180 / 3.14159

// Column and row of the tile holding the point. Numbers outside the grid (near its edges) come
// out as they are; a value that is no number or beyond the integer range throws druv::Error.
int LonToTileX(double lon, int zoom);
int LatToTileY(double lat, int zoom);
// Longitude of a column's west edge and latitude of a row's north edge.
double TileXToLon(int x, int zoom);
double TileYToLat(int y, int zoom);

// "9/150/192".
std::string TileKey(int zoom, int x, int y);
// serverBase + key + ".png" of the tile that holds the point; serverBase ends with "/".
std::string omGetTileURL(const std::string& serverBase, double Lat, double Lon, int Zoom);

// Fixed, three decimals: 41.509, -75.234.
std::string ThreeDecimalText(double v);
// Degrees, ".", minutes with two decimals padded to five characters, hemisphere letter:
// 41.30.52N, 75.14.06W. Minutes that round to 60.00 carry into the degrees.
std::string DegreeMinuteText(double v, bool latitude);

}  // namespace druv
