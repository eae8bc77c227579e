// The station map: RefreshMap with its map reload at 1,000 to 10,000 stations on a 1280 x 768
// map, the reload alone, and the repaint of one view's worth of a panned 5000 x 5000 picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "common/Files.h"
#include "common/Numbers.h"
#include "map/TStationMap.h"
#include "map/TSymbolSheet.h"
#include "map/ui/TQImageMapPicture.h"
#include "parser/Decoders.h"
#include "platform/ImageCodecs.h"
#include "stations/TStationTable.h"

using namespace druv;

namespace {

// A map folder with a 1280 x 768 crop of the shipped USA map (30 pixels a degree from 125 W,
// 50 N), and the shipped symbol sheets.
struct TMapFolder {
  std::string Dir = (std::filesystem::temp_directory_path() / "druv-map-bench").string() + "/";
  TMapFolder() {
    std::filesystem::create_directories(Dir + "Maps");
    const TRasterImage shipped = LoadJpegFile(DRUV_SOURCE_DIR "/data/Maps/usa.jpg");
    TRasterImage crop(1280, 768);
    for (int y = 0; y < 768; ++y) std::copy_n(shipped.Pixel(0, y), 1280 * 3, crop.Pixel(0, y));
    SaveJpegFile(Dir + "Maps/map.jpg", crop, 90);
    WriteFileAtomic(Dir + "Maps/map.txt", "125,  82.333333333333,  24.4,  50,  custom\r\n");
    for (const char* sheet : {"tileset.bmp", "tileset2.bmp"})
      WriteFileAtomic(Dir + sheet, *ReadFile(std::string(DRUV_SOURCE_DIR "/data/") + sheet));
  }
};

TMapFolder& Folder() {
  static TMapFolder f;
  return f;
}

// n stations spread over the map, with the symbols of real traffic.
std::unique_ptr<TStationTable> Stations(int n) {
  auto t = std::make_unique<TStationTable>();
  t->CreateDataSet();
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> lat(24.4, 50), lon(-125, -82.34);
  const char* symbols[][2] = {{"/", ">"}, {"/", "k"}, {"/", "_"}, {"/", "-"}, {"\\", "K"}, {"/", "#"}, {"2", "#"}, {"/", "v"}};
  for (int i = 0; i < n; ++i) {
    const double la = lat(rng), lo = lon(rng);
    const auto& s = symbols[rng() % 8];
    t->AppendRecord({"12:00:00", "QQ" + std::to_string(i) + "-9", "", "", FormatFixed(la, 3), FormatFixed(lo, 3), "",
                     "", s[1], s[0], LatLonToGrid(lo, la)});
  }
  return t;
}

void BM_RefreshMap(benchmark::State& state) {
  TQImageMapPicture picture;
  TSymbolSheet sheet(Folder().Dir, LoadRasterWithQt);
  TStationMap map(picture, sheet, Folder().Dir + "Maps/");
  map.LoadStartupMap();
  const auto table = Stations(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    map.RefreshMap(*table);
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
  state.SetComplexityN(state.range(0));
  state.counters["stations/s"] = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RefreshMap)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_RefreshMapWithoutCalls(benchmark::State& state) {
  TQImageMapPicture picture;
  TSymbolSheet sheet(Folder().Dir, LoadRasterWithQt);
  TStationMap map(picture, sheet, Folder().Dir + "Maps/");
  map.LoadStartupMap();
  map.Options.StrategicCall = false;
  const auto table = Stations(10000);
  for (auto _ : state) map.RefreshMap(*table);
}
BENCHMARK(BM_RefreshMapWithoutCalls)->Unit(benchmark::kMillisecond);

// One repaint of the view while the picture is dragged: the exposed 779 x 478 region.
void BM_PanRepaint5000(benchmark::State& state) {
  QImage big(5000, 5000, QImage::Format_RGB32);
  big.fill(qRgb(200, 220, 200));
  QImage screen(779, 478, QImage::Format_RGB32);
  int offset = 0;
  for (auto _ : state) {
    offset = (offset + 37) % (5000 - 779);
    QPainter p(&screen);
    p.drawImage(QPoint(0, 0), big, QRect(offset, offset, 779, 478));
  }
}
BENCHMARK(BM_PanRepaint5000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder().Dir);
  return 0;
}
