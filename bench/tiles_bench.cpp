// The map maker's two costs: stitching 15 tiles with the attribution into the 1280 x 768 picture
// and encoding it as JPEG (quality 90); and downloading the 15 tiles of a large block from a tile
// server on 127.0.0.1 (in this process) through the Qt Network client, each checked as a PNG.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>

#include "common/Files.h"
#include "platform/ImageCodecs.h"
#include "platform/qt/TQtHttpClient.h"
#include "platform/qt/TQtTextPainter.h"
#include "tests/integration/TLocalTileServer.h"
#include "tiles/TMapMaker.h"
#include "tiles/TTileBlock.h"
#include "tiles/TileStitch.h"

using namespace druv;
namespace fs = std::filesystem;

namespace {

const TTileBlockRec Texas = MakeTileBlock(33.5, -97.25, 9, true, "");

// An application folder whose TempTiles holds the 15 labelled fixture tiles under their names.
fs::path MakeAppFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() / (name + std::string("-") + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "TempTiles");
  fs::create_directories(dir / "Maps");
  for (const TTileRec& t : Texas.Tiles)
    fs::copy_file(fs::path(DRUV_FIXTURES_DIR) / "tiles" / (t.Key + ".png"), dir / "TempTiles" / t.FileName);
  return dir;
}

void BM_StitchAndEncodeLargeMap(benchmark::State& state) {
  const fs::path dir = MakeAppFolder("druv-tiles-bench-stitch");
  TQtTextPainter painter;
  size_t bytes = 0;
  for (auto _ : state) {
    TRasterImage map = ComposeTiles((dir / "TempTiles").string(), true);
    DrawTileAttribution(map, painter);
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(map, TileMapJpegQuality);
    bytes = jpeg.size();
    benchmark::DoNotOptimize(jpeg.data());
  }
  state.counters["jpeg_bytes"] = static_cast<double>(bytes);
  fs::remove_all(dir);
}
BENCHMARK(BM_StitchAndEncodeLargeMap)->Unit(benchmark::kMillisecond);

void BM_SaveLargeMap(benchmark::State& state) {
  const fs::path dir = MakeAppFolder("druv-tiles-bench-save");
  TQtTextPainter painter;
  for (auto _ : state)
    SaveTileMap((dir / "TempTiles").string(), (dir / "Maps").string(), "bench", true, painter);
  fs::remove_all(dir);
}
BENCHMARK(BM_SaveLargeMap)->Unit(benchmark::kMillisecond);

void BM_DownloadLargeBlock(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("druv-tiles-bench-download-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "TempTiles");
  TLocalTileServer server(DRUV_FIXTURES_DIR "/tiles");
  TQtHttpClient http(TileUserAgent());
  const TMapMaker maker(http, dir.string(), server.Base());
  TMapRequestRec request;
  request.LatitudeText = "33.5";
  request.LongitudeText = "-97.25";
  request.Large = true;
  const TTileBlockRec block = maker.Plan(request);
  for (auto _ : state) maker.FetchTiles(block);
  state.counters["tiles"] = static_cast<double>(block.Tiles.size());
  fs::remove_all(dir);
}
BENCHMARK(BM_DownloadLargeBlock)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the attribution, the event loop for the downloads
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
