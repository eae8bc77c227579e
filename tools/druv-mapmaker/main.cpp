// druv-mapmaker: the map maker's "Get Map" and "Display Map" without windows. Writes the locator
// file, fetches the tiles into TempTiles and saves the stitched map in Maps.
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/Text.h"
#include "platform/qt/TQtHttpClient.h"
#include "platform/qt/TQtTextPainter.h"
#include "tiles/TMapMaker.h"
#include "tiles/TileStitch.h"
#include "tiles/ui/TileServerSettings.h"

using namespace druv;

namespace {

const char* const Usage =
    "usage: druv-mapmaker --lat DEGREES --lon DEGREES [--zoom 9..12] [--large] [--name NAME]\n"
    "                     [--format druv|uiview|xastir] [--server URL] [--app-dir DIR]\n"
    "Makes DIR/Maps/NAME.jpg and its locator file (NAME.txt, .inf or .geo) from the tiles around the\n"
    "position; DIR defaults to the program's folder, the server to mapmaker.ini there.\n";

struct TOptionsRec {
  TMapRequestRec Request;
  std::optional<std::string> Server;
  std::string AppDir;
};

int BadOption(const std::string& why) {
  std::fprintf(stderr, "druv-mapmaker: %s\n%s", why.c_str(), Usage);
  return 2;
}

// Returns an exit status when the program ends here.
std::optional<int> ParseOptions(int argc, char** argv, TOptionsRec& o) {
  bool haveLat = false, haveLon = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i], value;
    const bool flag = arg == "--large" || arg == "--help" || arg == "-h";
    if (!flag) {
      if (auto eq = arg.find('='); StartsWith(arg, "--") && eq != std::string::npos) {
        value = arg.substr(eq + 1);
        arg.resize(eq);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        return BadOption(arg + " needs a value");
      }
    }
    if (arg == "--help" || arg == "-h") {
      std::fputs(Usage, stdout);
      return 0;
    } else if (arg == "--large") {
      o.Request.Large = true;
    } else if (arg == "--lat" || arg == "--lon") {
      if (!ParseDouble(value)) return BadOption(arg + " " + value + ": not a number");
      (arg == "--lat" ? o.Request.LatitudeText : o.Request.LongitudeText) = value;
      (arg == "--lat" ? haveLat : haveLon) = true;
    } else if (arg == "--zoom") {
      try {
        o.Request.ZoomText = ClampZoomText(value);
      } catch (const Error&) {
        return BadOption("--zoom " + value + ": not a whole number");
      }
    } else if (arg == "--name") {
      o.Request.MapName = value;
    } else if (arg == "--format") {
      if (value == "druv") o.Request.Format = lfDruv;
      else if (value == "uiview") o.Request.Format = lfUiView;
      else if (value == "xastir") o.Request.Format = lfXastir;
      else return BadOption("--format " + value + ": druv, uiview or xastir");
    } else if (arg == "--server") {
      o.Server = value;
    } else if (arg == "--app-dir") {
      o.AppDir = value;
    } else {
      return BadOption("unknown option " + arg);
    }
  }
  if (!haveLat || !haveLon) return BadOption("--lat and --lon are needed");
  return std::nullopt;
}

}  // namespace

// Ctrl-C ends the download running at that moment, so no partial file stays.
int InterruptPipe[2] = {-1, -1};
extern "C" void OnInterrupt(int) {
  const char c = 1;
  [[maybe_unused]] ssize_t n = ::write(InterruptPipe[1], &c, 1);
}

int main(int argc, char** argv) {
  TOptionsRec options;
  options.AppDir = AppFolder();
  if (auto rc = ParseOptions(argc, argv, options)) return *rc;

  // No windows: fonts for the attribution line, no display needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  try {
    TTileServerSettingsRec server = LoadTileServerSettings(options.AppDir);
    if (options.Server) server.BaseUrl = NormaliseTileServerBase(*options.Server);
    TQtHttpClient http(TileUserAgent(), server.TimeoutMs);

    bool interrupted = false;
    std::optional<QSocketNotifier> interrupt;
    if (::pipe(InterruptPipe) == 0) {
      interrupt.emplace(InterruptPipe[0], QSocketNotifier::Read);
      QObject::connect(&*interrupt, &QSocketNotifier::activated, [&] {
        interrupted = true;
        http.Abort();
      });
      ::signal(SIGINT, OnInterrupt);
      ::signal(SIGTERM, OnInterrupt);
    }

    const TMapMaker maker(http, options.AppDir, server.BaseUrl);
    const TTileBlockRec block = maker.Plan(options.Request);
    // A new application folder given with --app-dir gets the two folders an installation has.
    for (const std::string& folder : {maker.MapsFolder(), maker.TilesFolder()}) {
      std::error_code ec;
      std::filesystem::create_directories(folder, ec);
      if (ec) throw Error("Cannot create the folder " + folder + ". " + ec.message());
    }
    const std::string locator = maker.WriteLocatorFile(block, options.Request);
    std::fprintf(stderr, "%s: NW %s %s, SE %s %s\n", locator.c_str(), block.NorthWest.LatText.c_str(),
                 block.NorthWest.LonText.c_str(), block.SouthEast.LatText.c_str(), block.SouthEast.LonText.c_str());
    maker.FetchTiles(block, [&](int n, int total) {
      if (interrupted) throw TCancelledError();
      const TTileRec& t = block.Tiles[static_cast<size_t>(n - 1)];
      std::fprintf(stderr, "tile %d of %d: %s\n", n, total, t.Url.c_str());
    });
    TQtTextPainter painter;
    const std::string map =
        SaveTileMap(maker.TilesFolder(), maker.MapsFolder(), options.Request.MapName, block.Large, painter);
    std::printf("%s\n%s\n", locator.c_str(), map.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "druv-mapmaker: %s\n", e.what());
    return 1;
  }
}
