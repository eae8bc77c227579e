// A map made here, read back the way the station map's "Other JPG" reads it (picture and locator
// file of the same name): every station lands in the cell of the tile that holds its position,
// west and east of Greenwich, north and south of the equator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "common/Files.h"
#include "common/Numbers.h"
#include "map/LocatorFile.h"
#include "map/MapPicture.h"
#include "map/Projection.h"
#include "platform/fakes/TFakeHttpClient.h"
#include "platform/fakes/TRecordingTextPainter.h"
#include "tiles/TMapMaker.h"
#include "tiles/TileMath.h"
#include "tiles/TileStitch.h"

namespace druv {
namespace {

namespace fs = std::filesystem;

// Row of a position with its fraction, by the map maker's arithmetic.
double FractionalRow(double lat, int zoom) {
  const double r = lat * TilePi / 180;
  return (1 - std::log(std::tan(r) + 1 / std::cos(r)) / TilePi) / 2 * std::ldexp(1.0, zoom);
}
double FractionalColumn(double lon, int zoom) { return (lon + 180) / 360 * std::ldexp(1.0, zoom); }

struct TCase {
  const char* Name;
  double Lat, Lon;
  int Zoom;
  bool Large;
  bool FixtureTiles;  // the labelled tiles of the fixtures, else plain generated ones
};

void PrintTo(const TCase& c, std::ostream* os) { *os << c.Name; }

class MadeMapOnStationMap : public testing::TestWithParam<TCase> {};

TEST_P(MadeMapOnStationMap, StationsLandInTheCellOfTheirTile) {
  const TCase& c = GetParam();
  const fs::path dir = fs::temp_directory_path() / (std::string("druv-made-map-") + c.Name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "Maps");
  fs::create_directories(dir / "TempTiles");

  TFakeHttpClient http;
  const TMapMaker maker(http, dir.string(), "http://tiles.test/");
  TMapRequestRec request;
  request.LatitudeText = FormatGeneral(c.Lat);
  request.LongitudeText = FormatGeneral(c.Lon);
  request.ZoomText = std::to_string(c.Zoom);
  request.Large = c.Large;
  request.MapName = c.Name;
  const TTileBlockRec block = maker.Plan(request);
  const auto plain = EncodePng(TRasterImage(256, 256, 200));
  for (const TTileRec& t : block.Tiles)
    http.Bodies[t.Url] = c.FixtureTiles ? *ReadFile(DRUV_FIXTURES_DIR "/tiles/" + t.Key + ".png")
                                        : std::string(plain.begin(), plain.end());
  maker.WriteLocatorFile(block, request);
  maker.FetchTiles(block);
  TRecordingTextPainter painter;
  const std::string jpg = SaveTileMap(maker.TilesFolder(), maker.MapsFolder(), c.Name, c.Large, painter);

  // What "Other JPG" does with the chosen file.
  const TRasterImage picture = LoadMapPicture(jpg);
  TMapFrameRec frame;
  EXPECT_EQ(ReadLocatorFile(LocatorPathFor(jpg), frame, picture.Width, picture.Height), c.Name);
  ASSERT_EQ(frame.Right, block.WidthPx());
  ASSERT_EQ(frame.Bottom, 768);

  // A grid of stations over the whole map.
  const double x0 = block.CentreX - (c.Large ? 2 : 1), y0 = block.CentreY - 1;
  int checked = 0;
  for (int i = 1; i < 40; ++i)
    for (int j = 1; j < 24; ++j) {
      const double lon = TileXToLon(0, c.Zoom) + (x0 + i * (c.Large ? 5.0 : 3.0) / 40) * 360 / std::ldexp(1.0, c.Zoom);
      const double lat = TileYToLat(static_cast<int>(y0), c.Zoom) +
                         j / 24.0 * (block.SouthEast.Lat - block.NorthWest.Lat);
      const int x = LonToX(frame, -lon), y = LatToY(frame, lat);
      // Where the tiles put it: its pixel within the tile block.
      const double tileX = (FractionalColumn(lon, c.Zoom) - x0) * 256, tileY = (FractionalRow(lat, c.Zoom) - y0) * 256;
      // The locator file holds the edges to three decimals, up to 1.5 pixels at zoom 12; and the
      // picture is stretched linearly between its edges while the tiles are Mercator: 2 more rows.
      ASSERT_NEAR(x, tileX, 2.0) << lat << ", " << lon;
      ASSERT_NEAR(y, tileY, 3.5) << lat << ", " << lon;
      ++checked;
    }
  EXPECT_EQ(checked, 39 * 23);

  // The label of the centre tile stays in the centre cell (the fixture tiles say so themselves).
  if (c.FixtureTiles) {
    const TTileRec& centre = block.Tiles.front();
    const std::uint8_t* p = picture.Pixel(centre.Left + 128, centre.Top + 128);
    EXPECT_LT(p[0] + p[1] + p[2], 3 * 200) << "label ink at the centre of the centre cell";
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Maps, MadeMapOnStationMap,
                         testing::Values(TCase{"texas", 33.5, -97.25, 9, true, true},
                                         TCase{"berlin", 52.52, 13.4, 12, false, false},
                                         TCase{"sydney", -33.87, 151.21, 9, false, false},
                                         TCase{"greenwich", 51.48, 0.0, 10, true, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace druv
