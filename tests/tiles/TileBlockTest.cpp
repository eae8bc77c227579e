#include <gtest/gtest.h>

#include "common/Error.h"
#include "tiles/TTileBlock.h"

namespace druv {
namespace {

std::string Describe(const TTileRec& t) {
  return t.Position + " " + t.Key + " " + t.FileName + " @" + std::to_string(t.Left) + "," + std::to_string(t.Top);
}

TEST(TileBlock, NormalBlockInDownloadOrder) {
  const TTileBlockRec b = MakeTileBlock(40.714, -74.006, 9, false, "http://h/");
  std::vector<std::string> got;
  for (const TTileRec& t : b.Tiles) got.push_back(Describe(t));
  const std::vector<std::string> want = {
      "C 9/150/192 imageC.png @256,256",   "N 9/150/191 imageN.png @256,0",
      "NE 9/151/191 imageNE.png @512,0",   "E 9/151/192 imageE.png @512,256",
      "W 9/149/192 imageW.png @0,256",     "SE 9/151/193 imageSE.png @512,512",
      "S 9/150/193 imageS.png @256,512",   "SW 9/149/193 imageSW.png @0,512",
      "NW 9/149/191 imageNW.png @0,0",
  };
  EXPECT_EQ(got, want);
  EXPECT_EQ(b.Tiles[0].Url, "http://h/9/150/192.png");
  EXPECT_EQ(b.WidthPx(), 768);
  EXPECT_EQ(b.HeightPx(), 768);

  EXPECT_EQ(b.NorthWest.LatText, "41.509");
  EXPECT_EQ(b.NorthWest.LonText, "-75.234");
  EXPECT_EQ(b.SouthEast.LatText, "39.910");
  EXPECT_EQ(b.SouthEast.LonText, "-73.125");
  EXPECT_EQ(b.NorthWest.LatDm, "41.30.52N");
  EXPECT_EQ(b.NorthWest.LonDm, "75.14.06W");
  EXPECT_EQ(b.SouthEast.LatDm, "39.54.58N");
  EXPECT_EQ(b.SouthEast.LonDm, "73.07.50W");
  EXPECT_EQ(b.SouthEastCornerKey, "9/152/194");
}

TEST(TileBlock, LargeBlockAddsTwoColumnsAfterTheNine) {
  const TTileBlockRec b = MakeTileBlock(40.714, -74.006, 9, true, "http://h/");
  ASSERT_EQ(b.Tiles.size(), 15u);
  std::vector<std::string> got;
  for (const TTileRec& t : b.Tiles) got.push_back(Describe(t));
  const std::vector<std::string> want = {
      "C 9/150/192 imageC.png @512,256",      "N 9/150/191 imageN.png @512,0",
      "NE 9/151/191 imageNE.png @768,0",      "E 9/151/192 imageE.png @768,256",
      "W 9/149/192 imageW.png @256,256",      "SE 9/151/193 imageSE.png @768,512",
      "S 9/150/193 imageS.png @512,512",      "SW 9/149/193 imageSW.png @256,512",
      "NW 9/149/191 imageNW.png @256,0",      "NEE 9/152/191 imageNEE.png @1024,0",
      "EE 9/152/192 imageEE.png @1024,256",   "SEE 9/152/193 imageSEE.png @1024,512",
      "NWW 9/148/191 imageNWW.png @0,0",      "WW 9/148/192 imageWW.png @0,256",
      "SWW 9/148/193 imageSWW.png @0,512",
  };
  EXPECT_EQ(got, want);
  EXPECT_EQ(b.WidthPx(), 1280);
  EXPECT_EQ(b.SouthEastCornerKey, "9/153/194");
  EXPECT_EQ(b.NorthWest.LonText, "-75.938");  // column 148
  EXPECT_EQ(b.SouthEast.LonText, "-72.422");  // column 153
  EXPECT_EQ(b.SouthEast.LatText, "39.910");
}

TEST(TileBlock, PositionsOffTheEarthAreRefused) {
  EXPECT_THROW(MakeTileBlock(90.5, 0, 9, false, "http://h/"), Error);
  EXPECT_THROW(MakeTileBlock(0, -181, 9, false, "http://h/"), Error);
  EXPECT_THROW(MakeTileBlock(0, 0, 40, false, "http://h/"), Error);
  // Near the pole the block reaches north of the grid; its keys say so.
  EXPECT_EQ(MakeTileBlock(85.0, 0, 9, false, "http://h/").Tiles[1].Key, "9/256/-1");
}

}  // namespace
}  // namespace druv
