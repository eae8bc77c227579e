#pragma once
// "mapmaker.ini" beside the executable: which tile server the map maker asks, and how long it
// waits for an answer.
//   [TileServer]
//   BaseUrl=https://tile.openstreetmap.org/
//   TimeoutSeconds=30
#include <string>

namespace druv {

inline constexpr const char* TileServerSettingsFile = "mapmaker.ini";

struct TTileServerSettingsRec {
  std::string BaseUrl;  // ends with "/"
  int TimeoutMs = 30000;
};

// A missing file or key gives the defaults (the public OpenStreetMap server, 30 s). Throws
// druv::Error for a BaseUrl that is not an http or https address.
TTileServerSettingsRec LoadTileServerSettings(const std::string& appFolder);

}  // namespace druv
