#include "tiles/TileStitch.h"

#include <cstring>

#include "common/Error.h"
#include "common/Numbers.h"
#include "platform/ITextPainter.h"
#include "tiles/LocatorFiles.h"
#include "tiles/TTileBlock.h"

namespace druv {

TRasterImage LoadTileFile(const std::string& path) {
  TRasterImage tile = LoadPngFile(path);
  if (tile.Width < TileSizePx || tile.Height < TileSizePx)
    throw Error(path + ": a map tile has 256 x 256 pixels, this one " + FormatInt(tile.Width) + " x " +
                FormatInt(tile.Height) + ".");
  return tile;
}

TRasterImage ComposeTiles(const std::string& tilesFolder, bool large) {
  const std::vector<TTileRec> cells = BlockCells(large);
  TRasterImage map(TileMapWidthPx(large), TileMapHeightPx, 255);
  const size_t rowBytes = static_cast<size_t>(TileSizePx) * 3;
  for (const TTileRec& cell : cells) {
    const TRasterImage tile = LoadTileFile(tilesFolder + "/" + cell.FileName);
    for (int y = 0; y < TileSizePx; ++y) std::memcpy(map.Pixel(cell.Left, cell.Top + y), tile.Pixel(0, y), rowBytes);
  }
  return map;
}

void DrawTileAttribution(TRasterImage& image, ITextPainter& painter) {
  painter.DrawText(image, AttributionLeft, AttributionTop, TileAttribution, AttributionPointSize, TRgbRec{0, 0, 255});
}

std::string SaveTileMap(const std::string& tilesFolder, const std::string& mapsFolder, const std::string& mapName,
                        bool large, ITextPainter& painter) {
  CheckMapFileName(mapName);
  TRasterImage map = ComposeTiles(tilesFolder, large);
  DrawTileAttribution(map, painter);
  const std::string path = mapsFolder + "/" + mapName + ".jpg";
  SaveJpegFile(path, map, TileMapJpegQuality);
  return path;
}

}  // namespace druv
