#pragma once
// Making a map from tiles, step by step, for the map maker window and for druv-mapmaker alike:
// the block and its corners, the locator file, the tile downloads into TempTiles.
#include <functional>
#include <string>

#include "tiles/LocatorFiles.h"
#include "tiles/TTileBlock.h"

namespace druv {

class IHttpClient;

// The public OpenStreetMap tile server; its usage policy asks for an identifying User-Agent
// and no bulk downloads (a map takes 9 or 15 tiles, one after another).
inline constexpr const char* DefaultTileServer = "https://tile.openstreetmap.org/";
// "DRUVaprs/0.97 (...)": names the program and its version, as the tile usage policy asks.
const std::string& TileUserAgent();

// A tile server base as an address ending in "/"; throws druv::Error unless it is http or https.
std::string NormaliseTileServerBase(const std::string& base);

// The zoom rule of the map maker: a value above 12 becomes "12", below 9 becomes "9", the rest
// stays as typed. Throws druv::Error for a text that is not a whole number (the empty text too).
std::string ClampZoomText(const std::string& text);

struct TMapRequestRec {
  std::string LatitudeText = "40.714";
  std::string LongitudeText = "-74.006";
  std::string ZoomText = "9";
  bool Large = false;
  std::string MapName = "themapname";
  TLocatorFormat Format = lfDruv;
};

class TMapMaker {
 public:
  // appFolder holds Maps/ and TempTiles/ (with or without a trailing "/").
  TMapMaker(IHttpClient& http, const std::string& appFolder, std::string serverBase = DefaultTileServer);

  // Reads the request's numbers and checks the map name; the block with its corners. Throws
  // druv::Error before anything is written.
  TTileBlockRec Plan(const TMapRequestRec& request) const;
  // Maps/<name><extension>, replacing any file of that name; returns its path.
  std::string WriteLocatorFile(const TTileBlockRec& block, const TMapRequestRec& request) const;
  // The block's tiles, one after another in download order, into TempTiles under their file
  // names. beforeEach(n, total) runs before tile n (from 1). Each tile must arrive as a PNG
  // image; the first failure throws (TCancelledError for an abort) and leaves no file for
  // that tile.
  void FetchTiles(const TTileBlockRec& block, const std::function<void(int n, int total)>& beforeEach = {}) const;

  const std::string& MapsFolder() const { return MapsFolder_; }
  const std::string& TilesFolder() const { return TilesFolder_; }
  const std::string& ServerBase() const { return ServerBase_; }

 private:
  IHttpClient& Http_;
  std::string MapsFolder_, TilesFolder_, ServerBase_;
};

}  // namespace druv
