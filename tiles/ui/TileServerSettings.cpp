#include "tiles/ui/TileServerSettings.h"

#include "common/Error.h"
#include "common/Numbers.h"
#include "platform/qt/QtIniFile.h"
#include "platform/qt/TQtHttpClient.h"
#include "tiles/TMapMaker.h"

namespace druv {

TTileServerSettingsRec LoadTileServerSettings(const std::string& appFolder) {
  const std::string dir = appFolder.empty() || appFolder.back() == '/' ? appFolder : appFolder + "/";
  TIniSection ini;
  try {
    ini = ReadIniSection(dir + TileServerSettingsFile, "TileServer");
  } catch (const Error&) {
    // A file that cannot be read counts as a missing one: the defaults.
  }
  auto value = [&ini](const char* key) {
    const auto it = ini.find(key);
    return it == ini.end() ? std::string() : it->second;
  };
  TTileServerSettingsRec s;
  const std::string base = value("BaseUrl");
  s.BaseUrl = NormaliseTileServerBase(base.empty() ? std::string(DefaultTileServer) : base);
  if (auto seconds = ParseDouble(value("TimeoutSeconds")); seconds && *seconds > 0 && *seconds <= 3600)
    s.TimeoutMs = static_cast<int>(*seconds * 1000 + 0.5);
  else
    s.TimeoutMs = TQtHttpClient::DefaultTimeoutMs;
  return s;
}

}  // namespace druv
