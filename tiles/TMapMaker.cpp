#include "tiles/TMapMaker.h"

#include <cstdio>
#include <cstring>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/Text.h"
#include "common/Version.h"
#include "platform/IHttpClient.h"
#include "tiles/TileStitch.h"

namespace druv {

namespace {

// Throws druv::Error when the file does not start like a PNG image.
void CheckPngSignature(const std::string& path) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[8] = {};
  FILE* f = std::fopen(path.c_str(), "rb");
  const size_t n = f ? std::fread(head, 1, sizeof head, f) : 0;
  if (f) std::fclose(f);
  if (n != sizeof head || std::memcmp(head, signature, sizeof head) != 0)
    throw Error("the reply is not a PNG image.");
}

}  // namespace

const std::string& TileUserAgent() {
  static const std::string agent =
      std::string("DRUVaprs/") + VersionNumber + " (APRS station map maker; +https://github.com/druvaprs/druvaprs)";
  return agent;
}

std::string NormaliseTileServerBase(const std::string& base) {
  std::string b = Trim(base);
  const std::string upper = UpperCase(b);
  if (!(StartsWith(upper, "HTTP://") || StartsWith(upper, "HTTPS://")) || upper.find("://") + 3 >= upper.size())
    throw Error("The tile server \"" + base + "\" is not an http or https address.");
  if (b.back() != '/') b += '/';
  return b;
}

std::string ClampZoomText(const std::string& text) {
  bool digits = !text.empty();
  for (char c : text) digits = digits && c >= '0' && c <= '9';
  if (!digits) throw Error("\"" + text + "\" is not a valid zoom level.");
  // Many digits are simply a large number.
  const auto v = text.size() > 9 ? std::optional<long long>(13) : ParseInt(text);
  if (*v > 12) return "12";
  if (*v < 9) return "9";
  return text;
}

TMapMaker::TMapMaker(IHttpClient& http, const std::string& appFolder, std::string serverBase)
    : Http_(http), ServerBase_(NormaliseTileServerBase(serverBase)) {
  const std::string dir = appFolder.empty() || appFolder.back() == '/' ? appFolder : appFolder + "/";
  MapsFolder_ = dir + "Maps";
  TilesFolder_ = dir + "TempTiles";
}

TTileBlockRec TMapMaker::Plan(const TMapRequestRec& request) const {
  const auto lat = ParseDouble(request.LatitudeText);
  if (!lat) throw Error("\"" + request.LatitudeText + "\" is not a valid latitude.");
  const auto lon = ParseDouble(request.LongitudeText);
  if (!lon) throw Error("\"" + request.LongitudeText + "\" is not a valid longitude.");
  const auto zoom = ParseInt(request.ZoomText);
  if (!zoom || request.ZoomText.find_first_not_of("0123456789") != std::string::npos)
    throw Error("\"" + request.ZoomText + "\" is not a valid zoom level.");
  CheckMapFileName(request.MapName);
  return MakeTileBlock(*lat, *lon, static_cast<int>(*zoom), request.Large, ServerBase_);
}

std::string TMapMaker::WriteLocatorFile(const TTileBlockRec& block, const TMapRequestRec& request) const {
  CheckMapFileName(request.MapName);
  const std::string path = MapsFolder_ + "/" + request.MapName + LocatorExtension(request.Format);
  WriteFileAtomic(path, LocatorFileText(request.Format, block, request.MapName));
  return path;
}

void TMapMaker::FetchTiles(const TTileBlockRec& block, const std::function<void(int n, int total)>& beforeEach) const {
  const int total = static_cast<int>(block.Tiles.size());
  for (int i = 0; i < total; ++i) {
    const TTileRec& tile = block.Tiles[static_cast<size_t>(i)];
    if (beforeEach) beforeEach(i + 1, total);
    const std::string path = TilesFolder_ + "/" + tile.FileName;
    Http_.GetToFile(tile.Url, path);
    // A tile that arrived whole but is no picture (an error page sent as a success, a body
    // cut short without notice) fails here rather than later in the stitch.
    try {
      CheckPngSignature(path);
      LoadTileFile(path);
    } catch (const Error& e) {
      std::remove(path.c_str());
      throw Error("Could not fetch " + tile.Url + ": " + e.what());
    }
  }
}

}  // namespace druv
