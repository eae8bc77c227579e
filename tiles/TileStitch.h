#pragma once
// The stitched map: the block's cells from the tile files in TempTiles, the attribution line,
// saved as a JPEG picture in Maps.
#include <string>

#include "platform/ImageCodecs.h"

namespace druv {

class ITextPainter;

inline constexpr const char* TileAttribution = "\xA9 OpenStreetMap contributors";
constexpr int AttributionLeft = 5, AttributionTop = 753, AttributionPointSize = 8;
constexpr int TileMapJpegQuality = 90;

// A tile file as a picture of at least 256 x 256 pixels; throws druv::Error naming the file.
TRasterImage LoadTileFile(const std::string& path);

// 768 x 768 (normal) or 1280 x 768 (large) on white, each cell the top-left 256 x 256 pixels
// of its tile file, unscaled.
TRasterImage ComposeTiles(const std::string& tilesFolder, bool large);
// The attribution in blue, 8 points, top-left at (5, 753).
void DrawTileAttribution(TRasterImage& image, ITextPainter& painter);
// Composes, draws the attribution and saves <mapsFolder>/<mapName>.jpg at quality 90, replacing
// any file of that name; returns its path. Nothing is saved when a tile fails.
std::string SaveTileMap(const std::string& tilesFolder, const std::string& mapsFolder, const std::string& mapName,
                        bool large, ITextPainter& painter);

}  // namespace druv
