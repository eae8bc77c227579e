// druv-replay's map output: the replayed stations on the shipped custom map (731 x 473 pixels,
// 101.5 W to 93 W, 30 N to 35.5 N, 86 pixels a degree), written as PNG.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <filesystem>
#include <unistd.h>
#include <string>

#include "common/Files.h"
#include "platform/ImageCodecs.h"

namespace druv {
namespace {

const std::string Tool = std::string(DRUV_BIN_DIR) + "/druv-replay";
const std::string MapJpg = std::string(DRUV_SOURCE_DIR) + "/data/Maps/map.jpg";
const std::string Lines = std::string(DRUV_FIXTURES_DIR) + "/map/replay.txt";

// Exit status of druv-replay with args, its output thrown away.
int RunTool(const std::string& args) {
  const std::string cmd = "'" + Tool + "' " + args + " >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ReplayMapTool : public ::testing::Test {
 protected:
  std::filesystem::path Dir = std::filesystem::temp_directory_path() / ("druv-replay-map-test-" + std::to_string(getpid()));
  TRasterImage Bare;
  void SetUp() override {
#ifndef DRUV_REPLAY_DRAWS_MAPS
    GTEST_SKIP() << "druv-replay built without map output";
#endif
    std::filesystem::create_directories(Dir);
    Bare = LoadJpegFile(MapJpg);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  TRasterImage Plot(const std::string& options) {
    const std::string png = (Dir / "out.png").string();
    std::filesystem::remove(png);
    EXPECT_EQ(RunTool("--map '" + MapJpg + "' --png '" + png + "' " + options + " '" + Lines + "'"), 0) << options;
    return LoadPngFile(png);
  }
  // How many pixels of the 21 x 21 square centred on (x, y) differ from the bare map.
  int Changed(const TRasterImage& img, int x, int y) const {
    int n = 0;
    for (int dy = -10; dy <= 10; ++dy)
      for (int dx = -10; dx <= 10; ++dx)
        n += !std::equal(img.Pixel(x + dx, y + dy), img.Pixel(x + dx, y + dy) + 3, Bare.Pixel(x + dx, y + dy));
    return n;
  }
  static std::array<int, 3> At(const TRasterImage& img, int x, int y) {
    const std::uint8_t* p = img.Pixel(x, y);
    return {p[0], p[1], p[2]};
  }
};

TEST_F(ReplayMapTool, CurrentPositionsWithCallSigns) {
  const TRasterImage img = Plot("");
  ASSERT_EQ(img.Width, 731);
  ASSERT_EQ(img.Height, 473);
  // QQ5AAA at its latest position (97 W, 33 N: 387, 215), not at its first (97.5 W, 33.5 N: 344,
  // 172); the weather station (98 W, 32 N: 301, 301).
  EXPECT_GT(Changed(img, 387, 215), 40);
  EXPECT_EQ(Changed(img, 344, 172), 0);
  EXPECT_GT(Changed(img, 301, 301), 40);
  // The label box starts at X + 10, Y: white.
  EXPECT_EQ(At(img, 399, 216), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(At(img, 399, 214), At(Bare, 399, 214));
  // Nothing else on the map changed.
  EXPECT_EQ(Changed(img, 100, 100), 0);
}

TEST_F(ReplayMapTool, TrailsWeatherAndLabelStyles) {
  const TRasterImage trails = Plot("--plot trails");
  EXPECT_GT(Changed(trails, 344, 172), 40);  // the first line is drawn too
  EXPECT_GT(Changed(trails, 387, 215), 40);
  const TRasterImage wx = Plot("--plot wx");
  EXPECT_EQ(Changed(wx, 387, 215), 0);
  EXPECT_GT(Changed(wx, 301, 301), 40);
  const TRasterImage other = Plot("--other-style");
  EXPECT_EQ(At(other, 399, 216), (std::array<int, 3>{0, 0, 255}));
  const TRasterImage bare = Plot("--no-calls");
  EXPECT_EQ(At(bare, 399, 216), At(Bare, 399, 216));
  EXPECT_GT(Changed(bare, 387, 215), 40);
  EXPECT_EQ(Changed(Plot("--plot wx --no-calls"), 301, 301), 0);
}

TEST_F(ReplayMapTool, BadOptionsAndFiles) {
  const std::string png = (Dir / "x.png").string();
  EXPECT_EQ(RunTool("--map '" + MapJpg + "' '" + Lines + "'"), 2);                 // --map without --png
  EXPECT_EQ(RunTool("--png '" + png + "' '" + Lines + "'"), 2);                      // and the other way
  EXPECT_EQ(RunTool("--map '" + MapJpg + "' --png '" + png + "' --plot all /dev/null"), 2);
  EXPECT_EQ(RunTool("--map /no/such/map.jpg --png '" + png + "' /dev/null"), 1);
  EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace druv
