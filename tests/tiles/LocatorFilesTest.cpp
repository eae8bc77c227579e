#include <gtest/gtest.h>

#include "common/Error.h"
#include "tiles/LocatorFiles.h"

namespace druv {
namespace {

const TTileBlockRec NewYork = MakeTileBlock(40.714, -74.006, 9, false, "http://h/");

TEST(LocatorFiles, ThreeFormatsByteForByte) {
  EXPECT_EQ(LocatorFileText(lfDruv, NewYork, "themapname"), "75.234,73.125,39.910,41.509,themapname\r\n");
  EXPECT_EQ(LocatorFileText(lfUiView, NewYork, "themapname"),
            "75.14.06W, 41.30.52N\r\n73.07.50W, 39.54.58N\r\nthemapname\r\n");
  EXPECT_EQ(LocatorFileText(lfXastir, NewYork, "themapname"),
            "FILENAME   themapname.jpg\r\n"
            "#          x          y        lon         lat\r\n"
            "TIEPOINT   0          0        -75.234      41.509\r\n"
            "TIEPOINT   767        767      -73.125     39.910\r\n"
            "IMAGESIZE  768        768\r\n");
  EXPECT_STREQ(LocatorExtension(lfDruv), ".txt");
  EXPECT_STREQ(LocatorExtension(lfUiView), ".inf");
  EXPECT_STREQ(LocatorExtension(lfXastir), ".geo");
}

TEST(LocatorFiles, XastirLargeBlock) {
  const TTileBlockRec large = MakeTileBlock(40.714, -74.006, 9, true, "http://h/");
  EXPECT_EQ(LocatorFileText(lfXastir, large, "big"),
            "FILENAME   big.jpg\r\n"
            "#          x          y        lon         lat\r\n"
            "TIEPOINT   0          0        -75.938      41.509\r\n"
            "TIEPOINT   1279        768      -72.422     39.910\r\n"
            "IMAGESIZE  1280        768\r\n");
}

TEST(LocatorFiles, OwnFormatCountsLongitudesPositiveWestOnEveryHemisphere) {
  // East of Greenwich the longitudes are negative, so the map is not mirrored into the West.
  const TTileBlockRec berlin = MakeTileBlock(52.52, 13.4, 12, false, "http://h/");
  EXPECT_EQ(LocatorFileText(lfDruv, berlin, "berlin"), "-13.271,-13.535,52.429,52.590,berlin\r\n");
  // Across Greenwich: the west edge is positive (West), the east edge negative (East).
  const TTileBlockRec london = MakeTileBlock(51.5, 0.0, 9, false, "http://h/");
  EXPECT_EQ(LocatorFileText(lfDruv, london, "london").substr(0, 13), "0.703,-1.406,");
  // South of the equator the latitudes keep their sign.
  const TTileBlockRec sydney = MakeTileBlock(-33.87, 151.21, 9, false, "http://h/");
  EXPECT_EQ(LocatorFileText(lfDruv, sydney, "s"), "-150.469,-152.578,-34.886,-33.138,s\r\n");
}

TEST(LocatorFiles, LocateToolLine) {
  EXPECT_EQ(LocateToolLocatorText(98.25, 96.25, 32.5, 34.5, "example.txt"), "98.25,  96.25,  32.5,  34.5,example.txt\r\n");
  EXPECT_EQ(LocateToolLocatorText(-150, -152, -34.5, -32.5, "s.txt"), "-150,  -152,  -34.5,  -32.5,s.txt\r\n");
}

TEST(LocatorFiles, MapNamesThatAreNoPlainFileNameAreRefused) {
  for (const char* bad : {"", "../../x", "..", "a/b", "a\\b", "c:map", "what?", "a*b", "x<y", "q\"", "p|q", "tab\there",
                          "dot.", "blank ", "."}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(CheckMapFileName(bad), Error);
  }
  for (const char* good : {"themapname", "my map-1", "North Texas (z9)", "v1.2", "\xC4rger"}) {
    SCOPED_TRACE(good);
    EXPECT_NO_THROW(CheckMapFileName(good));
  }
  try {
    CheckMapFileName("../../x");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "\"../../x\" cannot be used as a map name: it must not contain \"..\".");
  }
}

}  // namespace
}  // namespace druv
