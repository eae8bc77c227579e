// Making a map over a fake tile server: the locator file, the downloads in order, the failures,
// and the stitched picture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "common/Error.h"
#include "common/Files.h"
#include "platform/ImageCodecs.h"
#include "platform/fakes/TFakeHttpClient.h"
#include "platform/fakes/TRecordingTextPainter.h"
#include "tiles/TMapMaker.h"
#include "tiles/TileStitch.h"

namespace druv {
namespace {

namespace fs = std::filesystem;

// A tile of one colour, told apart by its number.
std::string TileBody(int n, int size = 256) {
  static std::map<std::pair<int, int>, std::string> made;
  if (auto f = made.find({n, size}); f != made.end()) return f->second;
  TRasterImage img(size, size);
  for (int i = 0; i < size * size; ++i) {
    img.Rgb[static_cast<size_t>(i) * 3] = static_cast<std::uint8_t>(16 * n);
    img.Rgb[static_cast<size_t>(i) * 3 + 1] = static_cast<std::uint8_t>(255 - 16 * n);
    img.Rgb[static_cast<size_t>(i) * 3 + 2] = static_cast<std::uint8_t>(n % 2 ? 40 : 200);
  }
  const auto png = EncodePng(img);
  return made[{n, size}] = std::string(png.begin(), png.end());
}

struct TAppDir {
  fs::path Root;
  explicit TAppDir(const char* name)
      : Root(fs::temp_directory_path() / (name + std::string("-") + std::to_string(::getpid()))) {
    fs::remove_all(Root);
    fs::create_directories(Root / "app" / "Maps");
    fs::create_directories(Root / "app" / "TempTiles");
  }
  ~TAppDir() { fs::remove_all(Root); }
  std::string App() const { return (Root / "app").string(); }
  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(Root))
      if (e.is_regular_file()) out.push_back(fs::relative(e.path(), Root).string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

struct TMaker {
  TAppDir Dir;
  TFakeHttpClient Http;
  TMapMaker Maker;
  TMapRequestRec Request;
  TTileBlockRec Block;
  explicit TMaker(const char* name, bool large = false) : Dir(name), Maker(Http, Dir.App(), "http://tiles.test/osm") {
    Request.Large = large;
    Block = Maker.Plan(Request);
    for (size_t i = 0; i < Block.Tiles.size(); ++i) Http.Bodies[Block.Tiles[i].Url] = TileBody(static_cast<int>(i));
  }
  std::string TilePath(size_t i) const { return Maker.TilesFolder() + "/" + Block.Tiles[i].FileName; }
};

TEST(MapMaker, ServerBaseAndZoomRules) {
  EXPECT_EQ(NormaliseTileServerBase("http://127.0.0.1:8080/osm"), "http://127.0.0.1:8080/osm/");
  EXPECT_EQ(NormaliseTileServerBase(" https://tile.openstreetmap.org/ "), "https://tile.openstreetmap.org/");
  for (const char* bad : {"", "ftp://x/", "tile.openstreetmap.org", "http://"}) EXPECT_THROW(NormaliseTileServerBase(bad), Error);

  const std::pair<const char*, const char*> zooms[] = {
      {"5", "9"}, {"1", "9"}, {"0", "9"}, {"9", "9"}, {"10", "10"}, {"12", "12"}, {"13", "12"}, {"95", "12"},
      {"99999999999999999999999", "12"}};
  for (const auto& [typed, shown] : zooms) EXPECT_EQ(ClampZoomText(typed), shown) << typed;
  for (const char* bad : {"", "1a", "-5", " 9"}) EXPECT_THROW(ClampZoomText(bad), Error) << bad;
  EXPECT_NE(TileUserAgent().find("DRUVaprs/0.97"), std::string::npos);
}

TEST(MapMaker, NormalMapFromLocatorFileToPicture) {
  TMaker m("druv-mapmaker-normal");
  EXPECT_EQ(m.Maker.WriteLocatorFile(m.Block, m.Request), m.Dir.App() + "/Maps/themapname.txt");
  std::vector<std::string> progress;
  m.Maker.FetchTiles(m.Block, [&](int n, int total) { progress.push_back(std::to_string(n) + "/" + std::to_string(total)); });

  EXPECT_EQ(progress, (std::vector<std::string>{"1/9", "2/9", "3/9", "4/9", "5/9", "6/9", "7/9", "8/9", "9/9"}));
  ASSERT_EQ(m.Http.Requested.size(), 9u);
  EXPECT_EQ(m.Http.Requested[0], "http://tiles.test/osm/9/150/192.png");
  EXPECT_EQ(m.Http.Requested[8], "http://tiles.test/osm/9/149/191.png");
  EXPECT_EQ(*ReadFile(m.Dir.App() + "/Maps/themapname.txt"), "75.234,73.125,39.910,41.509,themapname\r\n");

  TRecordingTextPainter painter;
  const std::string jpg = SaveTileMap(m.Maker.TilesFolder(), m.Maker.MapsFolder(), "themapname", false, painter);
  ASSERT_EQ(painter.Calls.size(), 1u);
  EXPECT_EQ(painter.Calls[0].Text, "\xA9 OpenStreetMap contributors");
  EXPECT_EQ(painter.Calls[0].Left, 5);
  EXPECT_EQ(painter.Calls[0].Top, 753);
  EXPECT_EQ(painter.Calls[0].PointSize, 8);
  EXPECT_EQ(painter.Calls[0].Colour.B, 255);
  EXPECT_EQ(painter.Calls[0].Colour.R + painter.Calls[0].Colour.G, 0);

  const TRasterImage saved = LoadJpegFile(jpg);
  ASSERT_EQ(saved.Width, 768);
  ASSERT_EQ(saved.Height, 768);
  // Each cell shows its own tile (JPEG keeps flat colours within a few levels).
  for (size_t i = 0; i < m.Block.Tiles.size(); ++i) {
    const TTileRec& t = m.Block.Tiles[i];
    const std::uint8_t* p = saved.Pixel(t.Left + 128, t.Top + 128);
    EXPECT_NEAR(p[0], 16 * static_cast<int>(i), 6) << t.Position;
    EXPECT_NEAR(p[1], 255 - 16 * static_cast<int>(i), 6) << t.Position;
  }
  EXPECT_EQ(m.Dir.Files().size(), 11u);  // 9 tiles, the locator file and the picture
}

TEST(MapMaker, LargeBlockCellsLandInTheirPlaces) {
  TMaker m("druv-mapmaker-large", true);
  m.Maker.FetchTiles(m.Block);
  ASSERT_EQ(m.Http.Requested.size(), 15u);
  const TRasterImage map = ComposeTiles(m.Maker.TilesFolder(), true);
  ASSERT_EQ(map.Width, 1280);
  ASSERT_EQ(map.Height, 768);
  for (size_t i = 0; i < m.Block.Tiles.size(); ++i) {
    const TTileRec& t = m.Block.Tiles[i];
    for (auto [dx, dy] : {std::pair{0, 0}, {255, 0}, {0, 255}, {255, 255}}) {
      const std::uint8_t* p = map.Pixel(t.Left + dx, t.Top + dy);
      EXPECT_EQ(p[0], 16 * i) << t.Position;
      EXPECT_EQ(p[2], i % 2 ? 40 : 200) << t.Position;
    }
  }
}

TEST(MapMaker, FailedTileEndsTheDownloadAndLeavesNoFileForIt) {
  struct TCase {
    const char* Name;
    std::function<void(TMaker&)> Break;  // spoils the third tile
    const char* ErrorPart;
    bool Cancelled;
  };
  const TCase cases[] = {
      {"refused", [](TMaker& m) { 
         m.Http.Failures[m.Block.Tiles[2].Url] = "Could not fetch " + m.Block.Tiles[2].Url + ": Connection refused.";
       }, "Connection refused", false},
      {"not png", [](TMaker& m) { m.Http.Bodies[m.Block.Tiles[2].Url] = "<html>Tile not here</html>"; },
       "not a PNG image", false},
      {"cut short", [](TMaker& m) { auto& b = m.Http.Bodies[m.Block.Tiles[2].Url]; b.resize(b.size() / 2); },
       "Not a readable PNG picture", false},
      {"too small", [](TMaker& m) { m.Http.Bodies[m.Block.Tiles[2].Url] = TileBody(2, 64); }, "256 x 256", false},
      {"cancelled", [](TMaker& m) {
         m.Http.OnGet = [&m](const std::string& url) { if (url == m.Block.Tiles[2].Url) m.Http.Abort(); };
       }, "cancelled", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMaker m("druv-mapmaker-fail");
    // A tile of the same name from an earlier map goes too: it is not part of this one.
    WriteFileAtomic(m.TilePath(2), TileBody(9));
    m.Maker.WriteLocatorFile(m.Block, m.Request);
    c.Break(m);
    try {
      m.Maker.FetchTiles(m.Block);
      ADD_FAILURE() << "no error";
    } catch (const TCancelledError&) {
      EXPECT_TRUE(c.Cancelled);
    } catch (const Error& e) {
      EXPECT_FALSE(c.Cancelled);
      EXPECT_NE(std::string(e.what()).find(c.ErrorPart), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(m.Block.Tiles[2].Url), std::string::npos) << e.what();
    }
    EXPECT_EQ(m.Http.Requested.size(), 3u);
    EXPECT_EQ(m.Dir.Files(), (std::vector<std::string>{"app/Maps/themapname.txt", "app/TempTiles/imageC.png",
                                                       "app/TempTiles/imageN.png"}));
  }
}

TEST(MapMaker, NothingIsWrittenForABadRequest) {
  TAppDir dir("druv-mapmaker-bad");
  TFakeHttpClient http;
  TMapMaker maker(http, dir.App(), "http://tiles.test/");
  struct TCase {
    TMapRequestRec Request;
    const char* Error;
  };
  auto with = [](auto change) {
    TMapRequestRec r;
    change(r);
    return r;
  };
  const TCase cases[] = {
      {with([](auto& r) { r.MapName = "../../x"; }), "\"../../x\" cannot be used as a map name: it must not contain \"..\"."},
      {with([](auto& r) { r.MapName = ""; }), "Please give the map a name."},
      {with([](auto& r) { r.LatitudeText = "40,714"; }), "\"40,714\" is not a valid latitude."},
      {with([](auto& r) { r.LongitudeText = ""; }), "\"\" is not a valid longitude."},
      {with([](auto& r) { r.ZoomText = "x"; }), "\"x\" is not a valid zoom level."},
      {with([](auto& r) { r.LatitudeText = "91"; }), "The latitude must lie between -90 and 90 degrees."},
  };
  for (const TCase& c : cases) {
    try {
      maker.Plan(c.Request);
      ADD_FAILURE() << c.Error;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.Error);
    }
  }
  EXPECT_TRUE(dir.Files().empty());
  EXPECT_TRUE(http.Requested.empty());
}

TEST(MapMaker, StitchFailuresSaveNothing) {
  TMaker m("druv-mapmaker-stitch");
  m.Maker.FetchTiles(m.Block);
  TRecordingTextPainter painter;
  const std::string jpg = m.Maker.MapsFolder() + "/themapname.jpg";
  WriteFileAtomic(jpg, "old picture");

  fs::remove(m.TilePath(4));
  EXPECT_THROW(SaveTileMap(m.Maker.TilesFolder(), m.Maker.MapsFolder(), "themapname", false, painter), Error);
  WriteFileAtomic(m.TilePath(4), "not a picture");
  EXPECT_THROW(SaveTileMap(m.Maker.TilesFolder(), m.Maker.MapsFolder(), "themapname", false, painter), Error);
  EXPECT_EQ(*ReadFile(jpg), "old picture");
  EXPECT_TRUE(painter.Calls.empty());

  // A large map needs six more tiles than a normal one has fetched.
  WriteFileAtomic(m.TilePath(4), TileBody(4));
  EXPECT_THROW(SaveTileMap(m.Maker.TilesFolder(), m.Maker.MapsFolder(), "themapname", true, painter), Error);
  // A missing Maps folder.
  fs::remove_all(m.Maker.MapsFolder());
  EXPECT_THROW(SaveTileMap(m.Maker.TilesFolder(), m.Maker.MapsFolder(), "themapname", false, painter), Error);
  EXPECT_THROW(m.Maker.WriteLocatorFile(m.Block, m.Request), Error);
}

TEST(MapMaker, MissingTilesFolderFailsAtTheFirstTile) {
  TMaker m("druv-mapmaker-notiles");
  fs::remove_all(m.Maker.TilesFolder());
  EXPECT_THROW(m.Maker.FetchTiles(m.Block), Error);
  EXPECT_EQ(m.Http.Requested.size(), 1u);
}

}  // namespace
}  // namespace druv
