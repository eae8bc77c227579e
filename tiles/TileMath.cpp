#include "tiles/TileMath.h"

#include <cmath>
#include <limits>

#include "common/Error.h"
#include "common/Numbers.h"

namespace druv {

namespace {

double TilesPerSide(int zoom) { return std::ldexp(1.0, zoom); }

int TileNumber(double v) {
  const double f = std::floor(v);
  if (!(f >= std::numeric_limits<int>::min() && f <= std::numeric_limits<int>::max()))
    throw Error("The position lies outside the tile grid.");
  return static_cast<int>(f);
}

}  // namespace

int LonToTileX(double lon, int zoom) { return TileNumber((lon + 180) / 360 * TilesPerSide(zoom)); }

int LatToTileY(double lat, int zoom) {
  const double r = lat * TilePi / 180;
  return TileNumber((1 - std::log(std::tan(r) + 1 / std::cos(r)) / TilePi) / 2 * TilesPerSide(zoom));
}

double TileXToLon(int x, int zoom) { return x / TilesPerSide(zoom) * 360 - 180; }

double TileYToLat(int y, int zoom) {
  const double t = TilePi - y * TileTwoPi / TilesPerSide(zoom);
  return std::atan((std::exp(t) - std::exp(-t)) * 0.5) * TileDegreesPerRadian;
}

std::string TileKey(int zoom, int x, int y) { return FormatInt(zoom) + "/" + FormatInt(x) + "/" + FormatInt(y); }

std::string omGetTileURL(const std::string& serverBase, double Lat, double Lon, int Zoom) {
  return serverBase + TileKey(Zoom, LonToTileX(Lon, Zoom), LatToTileY(Lat, Zoom)) + ".png";
}

std::string ThreeDecimalText(double v) { return FormatFixed(v, 3); }

std::string DegreeMinuteText(double v, bool latitude) {
  const double a = std::fabs(v);
  double degrees = std::trunc(a);
  std::string minutes = FormatFixed((a - degrees) * 60, 2);
  if (minutes == "60.00") {
    degrees += 1;
    minutes = "0.00";
  }
  if (minutes.size() < 5) minutes.insert(0, 5 - minutes.size(), '0');
  const char hemisphere = latitude ? (v >= 0 ? 'N' : 'S') : (v >= 0 ? 'E' : 'W');
  return FormatFixed(degrees, 0) + "." + minutes + hemisphere;
}

}  // namespace druv
