// The map core over a recording picture: which files a map choice and a plot read, and where each
// station's label and symbol go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <unistd.h>
#include <map>

#include "common/Error.h"
#include "common/Files.h"
#include "map/TStationMap.h"
#include "stations/TStationTable.h"

namespace druv {
namespace {

// Records loads and draws; a file it was not told about fails to load.
class TRecordingPicture : public IMapPicture {
 public:
  std::map<std::string, std::pair<int, int>> Files;  // path -> width, height
  std::vector<std::string> Loads, Draws;
  int W = 0, H = 0;
  void Load(const std::string& path) override {
    Loads.push_back(path);
    auto it = Files.find(path);
    if (it == Files.end()) throw Error("Cannot open " + path);
    W = it->second.first;
    H = it->second.second;
    Draws.clear();
  }
  int Width() const override { return W; }
  int Height() const override { return H; }
  void DrawLabel(int left, int top, const std::string& text, bool other) override {
    Draws.push_back("label " + std::to_string(left) + "," + std::to_string(top) + " " + text + (other ? " other" : ""));
  }
  void DrawSymbol(int left, int top, const TRasterImage& s) override {
    // The test sheets colour every cell with its index and table.
    Draws.push_back("symbol " + std::to_string(left) + "," + std::to_string(top) + " #" + std::to_string(s.Rgb[0]) +
                    (s.Rgb[1] == 2 ? "\\" : "/"));
  }
};

// Every pixel of cell n is (n, table, 0).
TRasterImage IndexSheet(std::uint8_t table) {
  TRasterImage s;
  s.Width = 357;
  s.Height = 147;
  s.Rgb.resize(357 * 147 * 3);
  for (int y = 0; y < 147; ++y)
    for (int x = 0; x < 357; ++x) {
      const int n = 17 * (y / 21 + 1) + x / 21 + 1;
      std::uint8_t* p = &s.Rgb[static_cast<size_t>((y * 357 + x) * 3)];
      p[0] = static_cast<std::uint8_t>(x / 21 == 16 ? 17 * (y / 21 + 1) : n);
      p[1] = table;
      p[2] = 0;
    }
  return s;
}

// A table of stations from (LAT, LON, STN, Symbol, TABLEID, COMMENT).
struct TTable {
  TStationTable T;
  explicit TTable(const std::vector<std::array<std::string, 6>>& rows) {
    T.CreateDataSet();
    for (const auto& r : rows) T.AppendRecord({"12:00:00", r[2], "", r[5], r[0], r[1], "", "", r[3], r[4], "JJ00AA"});
  }
};

class StationMapTest : public ::testing::Test {
 protected:
  std::filesystem::path Dir = std::filesystem::temp_directory_path() / ("druv-station-map-test-" + std::to_string(getpid()));
  std::string Maps = (Dir / "Maps").string() + "/";
  TRecordingPicture Picture;
  TSymbolSheet Sheet{"/", [](const std::string& p) { return IndexSheet(p == "/tileset.bmp" ? 1 : 2); }};
  TStationMap Map{Picture, Sheet, Maps};

  void SetUp() override {
    std::filesystem::create_directories(Dir / "Maps");
    std::filesystem::create_directories(Dir / "elsewhere");
    Sheet.Start();
    Image("map.jpg", 800, 600, "98,96,32,34,custom");
    Image("usa.jpg", 1770, 780, "125,  66,  24,  50,  usa");
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  void Image(const std::string& name, int w, int h, const std::string& locator, const std::string& folder = "Maps") {
    const std::string image = (Dir / folder / name).string();
    Picture.Files[image] = {w, h};
    const std::string base = image.substr(0, image.rfind('.'));
    if (!locator.empty()) WriteFileAtomic(base + ".txt", locator + "\r\n");
  }
};

TEST_F(StationMapTest, StartupMapAndBuiltInChoices) {
  Map.LoadStartupMap();
  EXPECT_EQ(Picture.Loads, std::vector<std::string>{Maps + "map.jpg"});
  EXPECT_EQ(Map.MapFrame.West, 98);
  EXPECT_EQ(Map.MapFrame.Right, 800);
  EXPECT_EQ(Map.MapFrame.Bottom, 600);
  EXPECT_EQ(Map.CurrentMapName(), "map.jpg");
  EXPECT_EQ(Map.CurrentMapPath(), Maps + "map.jpg");
  EXPECT_EQ(Map.StatusText(), "Current map: map.jpg");

  Map.SelectBuiltInMap("usa");
  EXPECT_EQ(Map.CurrentMapName(), "usa.jpg");
  EXPECT_EQ(Map.MapFrame.West, 125);
  EXPECT_EQ(Map.MapFrame.Right, 1770);

  // A locator file that fails: the picture stays loaded, the frame keeps the fields read before the
  // failure, and the name is unchanged.
  Image("universal.jpg", 1024, 1024, "99,95,30");
  EXPECT_THROW(Map.SelectBuiltInMap("universal"), Error);
  EXPECT_EQ(Picture.W, 1024);
  EXPECT_EQ(Map.MapFrame.West, 99);
  EXPECT_EQ(Map.MapFrame.East, 95);
  EXPECT_EQ(Map.MapFrame.South, 24);  // "30" has no comma after it
  EXPECT_EQ(Map.MapFrame.North, 50);
  EXPECT_EQ(Map.MapFrame.Right, 1770);
  EXPECT_EQ(Map.CurrentMapName(), "usa.jpg");
  // A missing picture stops before the locator file is read.
  EXPECT_THROW(Map.SelectBuiltInMap("nothing"), Error);
  EXPECT_EQ(Map.MapFrame.West, 99);
}

TEST_F(StationMapTest, OtherMapsAreReloadedFromTheirOwnFolder) {
  Map.LoadStartupMap();
  Image("east.JPEG", 640, 480, "-5,-15,40,50,east", "elsewhere");
  const std::string path = (Dir / "elsewhere" / "east.JPEG").string();
  EXPECT_EQ(Map.OpenOtherMap(path), "east");
  EXPECT_EQ(Map.CurrentMapName(), "map.jpg");  // until the last step
  Map.TakeOtherMapName();
  EXPECT_EQ(Map.CurrentMapName(), "east.JPEG");
  EXPECT_EQ(Map.CurrentMapPath(), path);
  Picture.Loads.clear();
  Map.ReloadCurrentMap();
  EXPECT_EQ(Picture.Loads, std::vector<std::string>{path});
  EXPECT_EQ(Map.MapFrame.West, -5);
  // A cancelled dialog: the name is taken again from the unchanged path.
  Map.TakeOtherMapName();
  EXPECT_EQ(Map.CurrentMapName(), "east.JPEG");
  // A station at 10 E lands on the middle column.
  Map.DrawStation(45, 10, "EAST");
  EXPECT_EQ(Picture.Draws[0], "label 330,240 EAST");
}

TEST_F(StationMapTest, RefreshMapDrawsEveryStationWithAPosition) {
  Map.LoadStartupMap();
  TTable t({
      {"33.111", "-97.123", "QQ5AAA", "_", "/", "Rendon TX"},
      {"0", "0", "NOPOS", ">", "/", ""},  // never sent a position
      {"34.000", "-98.000", "QQ5BBB-9", "K", "\\", ""},
      {"32.500", "-97.000", "QQ5CCC", "K", "1", ""},
      {"0.000", "-97.000", "EQUATOR", "-", "/", ""},  // far below this map, but a position
      {"1e300", "-97.000", "FAR", "-", "/", ""},  // does not project: left out
  });
  Map.RefreshMap(t.T);
  EXPECT_EQ(Picture.Loads.back(), Maps + "map.jpg");
  EXPECT_EQ(Picture.Draws, (std::vector<std::string>{
                               "label 361,267 QQ5AAA", "symbol 341,257 #83/",
                               "label 10,0 QQ5BBB-9", "symbol -10,-10 #62\\",
                               "label 410,450 QQ5CCC", "symbol 390,440 #62/",
                               "label 410,10200 EQUATOR", "symbol 390,10190 #30/",
                           }));
  Map.Options.StrategicCall = false;
  Map.RefreshMap(t.T);
  EXPECT_EQ(Picture.Draws.size(), 4u);
  Map.Options = {true, true};
  Map.RefreshMap(t.T);
  EXPECT_EQ(Picture.Draws[0], "label 361,267 QQ5AAA other");
  // In the table's current order: by call sign.
  t.T.SetIndexFieldNames("STN;GRID");
  Map.RefreshMap(t.T);
  EXPECT_EQ(Picture.Draws[0], "label 410,10200 EQUATOR other");
}

TEST_F(StationMapTest, AFailingReloadDrawsNothing) {
  Map.LoadStartupMap();
  std::filesystem::remove(Dir / "Maps" / "map.txt");
  TTable t({{"33.0", "-97.0", "QQ5AAA", ">", "/", ""}});
  EXPECT_THROW(Map.RefreshMap(t.T), Error);
  EXPECT_TRUE(Picture.Draws.empty());
  // Equal bounds: every station fails, silently.
  WriteFileAtomic((Dir / "Maps" / "map.txt").string(), "97,97,33,33,flat\r\n");
  Map.RefreshMap(t.T);
  EXPECT_TRUE(Picture.Draws.empty());
}

const std::vector<std::string> RawLines = {
    "QQ5AAA>APRS:!3300.00N/09700.00W>first line",
    "cmd:",
    "TC 1;",
    "no packet here",
    "QQ5DDD-13>APRS:=3200.00N/09600.00W#W-R-T Digi",
    "QQ5EEE>APRS:>status without position",
    "QQ5WX>APRS:@101251z3234.06N/09715.95W_312/000g000t064",
    "QQ5AAA>APRS:!3310.00N/09710.00W>moved",
    "QQ5NWS>APRS:!3400.00N\\09800.00WWnws overlay",
    "QQ5NWS2>APRS:!3330.00N/09730.00WWnws",
};

TEST_F(StationMapTest, TrailsDrawEveryPositionPacketFromTheFirstLine) {
  Map.LoadStartupMap();
  Map.RefreshTrails(RawLines);
  EXPECT_EQ(Picture.Draws, (std::vector<std::string>{
                               "label 410,300 QQ5AAA", "symbol 390,290 #48/",
                               "label 810,600 QQ5DDD-13", "symbol 790,590 #20/",
                               "label 304,430 QQ5WX", "symbol 284,420 #83/",
                               "label 343,250 QQ5AAA", "symbol 323,240 #48/",
                               "label 10,0 QQ5NWS", "symbol -10,-10 #113\\",
                               "label 210,150 QQ5NWS2", "symbol 190,140 #75/",
                           }));
  Map.RefreshTrails({});
  EXPECT_TRUE(Picture.Draws.empty());
}

TEST_F(StationMapTest, WeatherOnlyDrawsWeatherStationsWithoutRereadingTheLocator) {
  Map.LoadStartupMap();
  // A new locator on disk is not read; the frame takes the picture's size only.
  WriteFileAtomic((Dir / "Maps" / "map.txt").string(), "10,0,0,10,other\r\n");
  Picture.Files[Maps + "map.jpg"] = {400, 300};
  Map.PlotWeatherOnly(RawLines);
  EXPECT_EQ(Map.MapFrame.West, 98);
  EXPECT_EQ(Map.MapFrame.Right, 400);
  EXPECT_EQ(Map.CurrentMapName(), "map.jpg");
  // The alternate-table "W" takes the index the last primary weather station left (83).
  EXPECT_EQ(Picture.Draws, (std::vector<std::string>{
                               "label 157,215 QQ5WX", "symbol 137,205 #83/",
                               "label 10,0 QQ5NWS", "symbol -10,-10 #83\\",
                               "label 110,75 QQ5NWS2", "symbol 90,65 #75/",
                           }));
  Map.Options.StrategicCall = false;
  Map.PlotWeatherOnly(RawLines);
  EXPECT_TRUE(Picture.Draws.empty());
}

}  // namespace
}  // namespace druv
