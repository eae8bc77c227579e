#include <QGuiApplication>
#include <QSaveFile>
#include <memory>

#include "common/Error.h"
#include "common/Files.h"
#include "map/TStationMap.h"
#include "map/ui/TQImageMapPicture.h"
#include "platform/qt/QtText.h"
#include "tools/druv-replay/ReplayMap.h"
#include "tools/druv-replay/TReplayOptions.h"

namespace druv {

void WriteReplayMap(const TReplayOptions& o, const TStationTable& table, const std::vector<std::string>& lines) {
  // Fonts for the call signs, without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "druv-replay";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  TQImageMapPicture picture;
  TSymbolSheet symbols(AppFolder(), LoadRasterWithQt);
  TStationMap map(picture, symbols, AppPath("Maps/"));
  map.Options.StrategicCall = !o.NoCalls;
  map.Options.OtherStyle = o.OtherStyle;
  map.OpenOtherMap(o.MapFile);
  map.TakeOtherMapName();
  if (o.Plot == "trails")
    map.RefreshTrails(lines);
  else if (o.Plot == "wx")
    map.PlotWeatherOnly(lines);
  else
    map.RefreshMap(table);
  QSaveFile out(ToQString(o.PngFile));
  if (!out.open(QIODevice::WriteOnly) || !picture.Image().save(&out, "PNG") || !out.commit())
    throw Error("cannot write " + o.PngFile + ": " + FromQString(out.errorString()));
}

}  // namespace druv
