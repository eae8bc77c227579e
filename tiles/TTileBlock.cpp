#include "tiles/TTileBlock.h"

#include <cmath>

#include "common/Error.h"
#include "tiles/TileMath.h"

namespace druv {

namespace {

struct TPlace {
  const char* Position;
  int Dx, Dy;
  bool LargeOnly;
};

// Download order.
constexpr TPlace Places[] = {
    {"C", 0, 0, false},   {"N", 0, -1, false},  {"NE", 1, -1, false},  {"E", 1, 0, false},
    {"W", -1, 0, false},  {"SE", 1, 1, false},  {"S", 0, 1, false},    {"SW", -1, 1, false},
    {"NW", -1, -1, false}, {"NEE", 2, -1, true}, {"EE", 2, 0, true},    {"SEE", 2, 1, true},
    {"NWW", -2, -1, true}, {"WW", -2, 0, true},  {"SWW", -2, 1, true},
};

}  // namespace

TCornerRec MakeCorner(double lat, double lon) {
  TCornerRec c;
  c.Lat = lat;
  c.Lon = lon;
  c.LatText = ThreeDecimalText(lat);
  c.LonText = ThreeDecimalText(lon);
  c.LatDm = DegreeMinuteText(lat, true);
  c.LonDm = DegreeMinuteText(lon, false);
  return c;
}

std::vector<TTileRec> BlockCells(bool large) {
  std::vector<TTileRec> cells;
  const int westmost = large ? -2 : -1;
  for (const TPlace& p : Places) {
    if (p.LargeOnly && !large) continue;
    TTileRec t;
    t.Position = p.Position;
    t.X = p.Dx;
    t.Y = p.Dy;
    t.FileName = std::string("image") + p.Position + ".png";
    t.Left = (p.Dx - westmost) * TileSizePx;
    t.Top = (p.Dy + 1) * TileSizePx;
    cells.push_back(std::move(t));
  }
  return cells;
}

TTileBlockRec MakeTileBlock(double lat, double lon, int zoom, bool large, const std::string& serverBase) {
  if (!(std::fabs(lat) <= 90)) throw Error("The latitude must lie between -90 and 90 degrees.");
  if (!(std::fabs(lon) <= 180)) throw Error("The longitude must lie between -180 and 180 degrees.");
  if (zoom < 0 || zoom > 24) throw Error("The zoom level must lie between 0 and 24.");
  TTileBlockRec b;
  b.Zoom = zoom;
  b.Large = large;
  b.CentreX = LonToTileX(lon, zoom);
  b.CentreY = LatToTileY(lat, zoom);
  b.Tiles = BlockCells(large);
  for (TTileRec& t : b.Tiles) {
    t.X += b.CentreX;
    t.Y += b.CentreY;
    t.Key = TileKey(zoom, t.X, t.Y);
    t.Url = serverBase + t.Key + ".png";
  }
  const int west = b.CentreX - (large ? 2 : 1), north = b.CentreY - 1;
  const int east = b.CentreX + (large ? 3 : 2), south = b.CentreY + 2;
  b.NorthWest = MakeCorner(TileYToLat(north, zoom), TileXToLon(west, zoom));
  b.SouthEast = MakeCorner(TileYToLat(south, zoom), TileXToLon(east, zoom));
  b.SouthEastCornerKey = TileKey(zoom, east, south);
  return b;
}

}  // namespace druv
