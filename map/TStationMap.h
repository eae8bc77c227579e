#pragma once
// The station map without its window: the map on display (picture, frame, name), how a map is
// chosen and reloaded, and the three plots. The map window and druv-replay both run these steps.
#include <string>
#include <string_view>
#include <vector>

#include "map/IMapPicture.h"
#include "map/Projection.h"
#include "map/TSymbolSheet.h"

namespace druv {

class TStationTable;

struct TPlotOptionsRec {
  bool StrategicCall = true;  // write the call sign beside each symbol
  bool OtherStyle = false;    // "Normal/Other": white on blue instead of black on white
};

// Whether a raw list line is a packet at all: it holds ">" and is no TNC text ("cmd...", "TC...").
bool IsPacketLine(std::string_view line);

class TStationMap {
 public:
  static constexpr const char* StartupMapName = "map.jpg";

  // mapsFolder: the "Maps" folder, with a trailing '/'.
  TStationMap(IMapPicture& picture, TSymbolSheet& symbols, std::string mapsFolder);

  TMapFrameRec MapFrame;
  TPlotOptionsRec Options;
  const std::string& CurrentMapName() const { return Name_; }
  const std::string& CurrentMapPath() const { return Path_; }
  // Where the current map is reloaded from (its name is CurrentMapName).
  const std::string& CurrentMapFolder() const { return Folder_; }
  // "Current map: " and the name.
  std::string StatusText() const { return "Current map: " + Name_; }
  IMapPicture& Picture() { return Picture_; }
  const std::string& MapsFolder() const { return MapsFolder_; }

  // At window creation: "map.jpg" with "map.txt", as "Custom" loads them. Each step throws on
  // failure; what loaded stays.
  void LoadStartupMap();
  // "Custom" (base "map"), "Universal" (base "universal"), "USA" (base "usa"): base + ".jpg" with
  // base + ".txt" from the Maps folder.
  void SelectBuiltInMap(const std::string& base);
  // "Other BMP" / "Other JPG" with a chosen file: its picture, then its locator file (same name,
  // ".txt"). Returns the locator line's name field. The map's name changes only in TakeOtherMapName.
  std::string OpenOtherMap(const std::string& path);
  // The last step of "Other", whether a file was chosen or not.
  void TakeOtherMapName();
  // The picture and the locator file of the current map again.
  void ReloadCurrentMap();

  // The plots. Each starts from a freshly loaded picture (a failing reload throws and nothing is
  // drawn); a station whose step fails is left out silently, as is one without a position.
  // RefreshMap: every station table record, in the table's current order. RefreshTrails: every position packet of the raw list.
  // PlotWeatherOnly: the weather stations of the raw list, only with call signs on.
  void RefreshMap(const TStationTable& stations);
  void RefreshTrails(const std::vector<std::string>& rawLines);
  void PlotWeatherOnly(const std::vector<std::string>& rawLines);

  // Label at (X + 10, Y), then the current symbol image centred on (X, Y). Throws when the
  // position does not project.
  void DrawStation(double lat, double lonEast, const std::string& label);

 private:
  IMapPicture& Picture_;
  TSymbolSheet& Symbols_;
  std::string MapsFolder_;
  std::string Name_ = StartupMapName;
  std::string Path_;
  std::string Folder_;
};

}  // namespace druv
