// druv-mapdata: rebuilds the shipped symbol sheets and maps from their sources.
//   druv-mapdata [--sheets SYMBOL_ART_DIR] [--maps DATA_SOURCES_DIR] OUT_DIR
// --sheets reads symbols.dat and palette.tsv and writes OUT_DIR/tileset.bmp and tileset2.bmp;
// --maps reads the map sources (maps/rendered, maps/nasa, maps/world-atlas, maps/us-atlas) and
// writes OUT_DIR/Maps/ map, universal, usa and world, each .jpg with its locator .txt.
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "platform/ImageCodecs.h"
#include "platform/qt/QtImages.h"
#include "tools/druv-mapdata/SymbolArt.h"
#include "tools/druv-mapdata/VectorMap.h"

using namespace druv;

namespace {

constexpr const char* Usage = "usage: druv-mapdata [--sheets SYMBOL_ART_DIR] [--maps DATA_SOURCES_DIR] OUT_DIR\n";

void SaveBmp(const std::string& path, const QImage& image) {
  QSaveFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly) || !image.convertToFormat(QImage::Format_RGB888).save(&f, "BMP") || !f.commit())
    throw Error("Cannot write " + path);
  std::printf("%s %dx%d\n", path.c_str(), image.width(), image.height());
}

void CopyFile(const std::string& from, const std::string& to) {
  std::optional<std::string> bytes = ReadFile(from);
  if (!bytes) throw Error("Cannot read " + from);
  WriteFileAtomic(to, *bytes);
  std::printf("%s (copy of %s)\n", to.c_str(), from.c_str());
}

// Locator files count longitudes positive West.
void WriteLocator(const std::string& path, double west, double east, double south, double north, const char* name) {
  WriteFileAtomic(path, FormatFixed(-west, 2) + ",  " + FormatFixed(-east, 2) + ",  " + FormatFixed(south, 2) + ",  " +
                            FormatFixed(north, 2) + ",  " + name + "\r\n");
}

void SaveJpeg(const std::string& path, const TRasterImage& image) {
  SaveJpegFile(path, image, 90);
  std::printf("%s %dx%d\n", path.c_str(), image.Width, image.Height);
}

void MakeSheets(const std::string& artDir, const std::string& out) {
  std::filesystem::create_directories(out);
  const auto tables = ReadSymbolArt(artDir + "/symbols.dat");
  const auto palette = ReadPalette(artDir + "/palette.tsv");
  auto table = [&](char t) {
    auto it = tables.find(t);
    if (it == tables.end()) throw Error(artDir + "/symbols.dat has no table " + std::string(1, t));
    return it->second;
  };
  // The unknown symbol: the big question mark of the alternate table, in a neutral grey.
  TSymbolArt unknown = table('\\').at('.');
  for (std::string& row : unknown)
    for (char& c : row)
      if (c != '.') c = 'o';
  // Unassigned primary codes that the plot table still names.
  SaveBmp(out + "/tileset.bmp", DrawSymbolSheet(table('/'), unknown, "\"Q", palette));
  SaveBmp(out + "/tileset2.bmp", DrawSymbolSheet(table('\\'), unknown, "", palette));
}

void MakeMaps(const std::string& src, const std::string& out) {
  const std::string maps = out + "/Maps/";
  std::filesystem::create_directories(maps);
  // The region around the default operator position: 8 by 5.5 degrees at 160 pixels a degree,
  // drawn from the boundary vectors (a crop of the 30 pixels a degree world picture would be
  // 240 pixels wide).
  const TMapBoxRec region{-101.25, -93.25, 30.0, 35.5, 160};
  const auto countries = ReadTopoJsonAreas(src + "/maps/world-atlas/countries-10m.json", "countries");
  const auto states = ReadTopoJsonAreas(src + "/maps/us-atlas/states-10m.json", "states");
  SaveJpeg(maps + "map.jpg", FromQImage(DrawVectorMap(region, countries, states)));
  WriteLocator(maps + "map.txt", region.West, region.East, region.South, region.North, "custom");

  // The contiguous United States, cropped from the world picture (30 pixels a degree, -180..180, 90..-90).
  const TRasterImage world = LoadJpegFile(src + "/maps/rendered/world_ne50m_equirect_10800x5400.jpg");
  constexpr double west = -125, east = -66, south = 24, north = 50;
  constexpr int k = 30;
  const int x0 = static_cast<int>((west + 180) * k), y0 = static_cast<int>((90 - north) * k);
  TRasterImage usa(static_cast<int>((east - west) * k), static_cast<int>((north - south) * k));
  for (int y = 0; y < usa.Height; ++y)
    std::memcpy(usa.Pixel(0, y), world.Pixel(x0, y0 + y), static_cast<size_t>(usa.Width) * 3);
  SaveJpeg(maps + "usa.jpg", usa);
  WriteLocator(maps + "usa.txt", west, east, south, north, "usa");

  // A backdrop without geography, true for whatever box its locator file is set to.
  CopyFile(src + "/maps/rendered/neutral_texture_1024.jpg", maps + "universal.jpg");
  WriteLocator(maps + "universal.txt", -98.25, -96.25, 32.5, 34.5, "universal");

  // The whole earth, for stations heard from far away (APRS-IS).
  CopyFile(src + "/maps/nasa/nasa_bluemarble_2700x1350.jpg", maps + "world.jpg");
  WriteLocator(maps + "world.txt", -180, 180, -90, 90, "world");
}

}  // namespace

int main(int argc, char** argv) {
  std::string sheets, mapSources, out;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--sheets" && i + 1 < argc) {
      sheets = argv[++i];
    } else if (a == "--maps" && i + 1 < argc) {
      mapSources = argv[++i];
    } else if (a == "-h" || a == "--help") {
      std::fputs(Usage, stdout);
      return 0;
    } else if (!a.empty() && a[0] != '-' && out.empty()) {
      out = a;
    } else {
      std::fputs(Usage, stderr);
      return 2;
    }
  }
  if (out.empty() || (sheets.empty() && mapSources.empty())) {
    std::fputs(Usage, stderr);
    return 2;
  }
  // Fonts for the map labels without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    if (!sheets.empty()) MakeSheets(sheets, out);
    if (!mapSources.empty()) MakeMaps(mapSources, out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "druv-mapdata: %s\n", e.what());
    return 1;
  }
  return 0;
}
