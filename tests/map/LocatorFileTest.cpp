#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/Error.h"
#include "common/Files.h"
#include "map/LocatorFile.h"

namespace druv {
namespace {

TMapFrameRec Old() {
  TMapFrameRec f;
  f.West = 1;
  f.East = 2;
  f.South = 3;
  f.North = 4;
  return f;
}

TEST(LocatorLine, ReadsTheFourBoundsAndTheName) {
  struct {
    const char* Line;
    double West, East, South, North;
    const char* Name;
  } cases[] = {
      {"98,96,32,34,", 98, 96, 32, 34, ""},
      {"98.25,  96.25,  32.50,  34.50,  universal", 98.25, 96.25, 32.5, 34.5, "  universal"},
      {"-5,-15,40,50,east", -5, -15, 40, 50, "east"},
      {" 1E2 , +96.5, -3.25e1 ,34,name,more,fields", 100, 96.5, -32.5, 34, "name"},
  };
  for (const auto& c : cases) {
    TMapFrameRec f = Old();
    EXPECT_EQ(ParseLocatorLine(c.Line, f), c.Name) << c.Line;
    EXPECT_EQ(f.West, c.West) << c.Line;
    EXPECT_EQ(f.East, c.East) << c.Line;
    EXPECT_EQ(f.South, c.South) << c.Line;
    EXPECT_EQ(f.North, c.North) << c.Line;
  }
}

TEST(LocatorLine, AFailingFieldKeepsTheFieldsBeforeItAndLeavesTheRest) {
  struct {
    const char* Line;
    int Parsed;  // fields stored before the failure
    const char* Message;
  } cases[] = {
      {"98,96,32,34", 3, "field 4 '' is not"},  // no comma after the fourth number: empty
      {"98,abc,32,34,", 1, "field 2 'abc'"},
      {"", 0, "field 1 ''"},
      {"98;96;32;34;", 0, "field 1 ''"},
      {"98,96,,34,", 2, "field 3 ''"},
      {"98,96,nan,34,", 2, "field 3 'nan'"},
  };
  for (const auto& c : cases) {
    TMapFrameRec f = Old();
    const double before[4] = {f.West, f.East, f.South, f.North};
    try {
      ParseLocatorLine(c.Line, f);
      ADD_FAILURE() << c.Line << " loaded";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
    const double after[4] = {f.West, f.East, f.South, f.North};
    for (int k = c.Parsed; k < 4; ++k) EXPECT_EQ(after[k], before[k]) << c.Line << " field " << k + 1;
    for (int k = 0; k < c.Parsed; ++k) EXPECT_NE(after[k], before[k]) << c.Line << " field " << k + 1;
  }
}

class LocatorFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Dir = std::filesystem::temp_directory_path() / ("druv-locator-test-" + std::to_string(::getpid()));
  void SetUp() override { std::filesystem::create_directories(Dir); }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string p = (Dir / name).string();
    WriteFileAtomic(p, bytes);
    return p;
  }
};

TEST_F(LocatorFileTest, FirstLineOnlyAndThePictureSize) {
  TMapFrameRec f = Old();
  EXPECT_EQ(ReadLocatorFile(Write("a.txt", "98,96,32,34,custom\r\nnot, a, locator\r\n\xFF\xFE"), f, 800, 600),
            "custom");
  EXPECT_EQ(f.West, 98);
  EXPECT_EQ(f.North, 34);
  EXPECT_EQ(f.Left, 0);
  EXPECT_EQ(f.Right, 800);
  EXPECT_EQ(f.Top, 0);
  EXPECT_EQ(f.Bottom, 600);
  EXPECT_EQ(ReadLocatorFile(Write("b.txt", "97,96,32,33,lf\n98,96,32,34,x"), f, 10, 20), "lf");
  EXPECT_EQ(f.West, 97);
}

TEST_F(LocatorFileTest, ByteOrderMarksSelectUnicode) {
  TMapFrameRec f;
  EXPECT_EQ(ReadLocatorFile(Write("u8.txt", "\xEF\xBB\xBF" "98,96,32,34,caf\xC3\xA9\r\n"), f, 1, 1), "caf\xE9");
  EXPECT_EQ(f.West, 98);
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("97.5,96,32,34,w\r\n9,9,9,9,")) utf16 += std::string{c, '\0'};
  EXPECT_EQ(ReadLocatorFile(Write("u16.txt", utf16), f, 1, 1), "w");
  EXPECT_EQ(f.West, 97.5);
}

TEST_F(LocatorFileTest, MissingEmptyOrBadFilesFailAndKeepThePixelExtents) {
  TMapFrameRec f;
  f.Right = 5;
  f.Bottom = 6;
  EXPECT_THROW(ReadLocatorFile((Dir / "missing.txt").string(), f, 800, 600), Error);
  EXPECT_THROW(ReadLocatorFile(Write("empty.txt", ""), f, 800, 600), Error);
  EXPECT_THROW(ReadLocatorFile(Write("four.txt", "98,96,32,34\r\n"), f, 800, 600), Error);
  EXPECT_EQ(f.Right, 5);
  EXPECT_EQ(f.Bottom, 6);
}

TEST(LocatorFile, PathOfAnImagesLocator) {
  EXPECT_EQ(LocatorPathFor("/a/Maps/map.jpg"), "/a/Maps/map.txt");
  EXPECT_EQ(LocatorPathFor("/a/Maps/x.y.JPEG"), "/a/Maps/x.y.txt");
  EXPECT_EQ(LocatorPathFor("/a.b/noext"), "/a.b/noext.txt");
}

TEST(LocatorFile, OtherJpgSummary) {
  TMapFrameRec f;
  ParseLocatorLine("98.25,  96.25,  32.50,  34.50,  universal", f);
  EXPECT_EQ(LocatorSummary(f, "  universal"), "98.25    96.25   32.5   34.5     universal");
}

TEST(UniversalProposal, TwoByTwoDegreesAroundTheOperator) {
  struct {
    const char* Lat;
    const char* Lon;
    const char* Line;
  } cases[] = {
      {"33.50", "-97.25", "98.25,  96.25,  32.50,  34.50,  universal"},
      {"33.50", "97.25", "98.25,  96.25,  32.50,  34.50,  universal"},  // no sign: degrees West already
      {"33.500", "-97.250", "98.25,  96.25,  32.50,  34.50,  universal"},
      {"-33.868", "151.21", "152.21,  150.21,  -34.87,  -32.87,  universal"},
      {"1", "-2000000", "2.00000E+06,  2.00000E+06,  0.00,  2.00,  universal"},
  };
  for (const auto& c : cases) EXPECT_EQ(UniversalLocatorLine(ProposeUniversalBox(c.Lat, c.Lon)), c.Line) << c.Lat;
  EXPECT_THROW(ProposeUniversalBox("33,5", "-97.25"), Error);
  EXPECT_THROW(ProposeUniversalBox("33.5", ""), Error);
}

}  // namespace
}  // namespace druv
