#pragma once
// The block of tiles around a centre position: which tiles, in which download order, under
// which file names, where each lands in the stitched image, and the block's corners.
#include <string>
#include <vector>

namespace druv {

constexpr int TileSizePx = 256;
// The stitched map: 3 tiles wide (normal) or 5 (large), 3 high.
constexpr int TileMapWidthPx(bool large) { return (large ? 5 : 3) * TileSizePx; }
constexpr int TileMapHeightPx = 3 * TileSizePx;

struct TTileRec {
  std::string Position;  // "C", "N", "NE" ... "SWW"
  int X = 0, Y = 0;      // tile column and row
  std::string Key;       // "9/150/192"
  std::string Url;       // tile server base + key + ".png"
  std::string FileName;  // "imageC.png" in TempTiles
  int Left = 0, Top = 0; // the cell's top-left pixel in the stitched image
};

// A corner with its two text forms.
struct TCornerRec {
  double Lat = 0, Lon = 0;
  std::string LatText, LonText;  // three decimals
  std::string LatDm, LonDm;      // degrees and minutes
};

struct TTileBlockRec {
  int Zoom = 9;
  bool Large = false;
  int CentreX = 0, CentreY = 0;
  std::vector<TTileRec> Tiles;  // download order
  TCornerRec NorthWest, SouthEast;
  std::string SouthEastCornerKey;  // the tile diagonally beyond the block, whose NW corner is SE
  int WidthPx() const { return TileMapWidthPx(Large); }
  int HeightPx() const { return TileMapHeightPx; }
};

TCornerRec MakeCorner(double lat, double lon);

// 9 tiles (normal) or 15 (large) around the tile holding (lat, lon).
TTileBlockRec MakeTileBlock(double lat, double lon, int zoom, bool large, const std::string& serverBase);

// The cells of a block without the tile numbers: positions, file names and pixel places, in
// download order. Enough to stitch the tiles already in TempTiles.
std::vector<TTileRec> BlockCells(bool large);

}  // namespace druv
