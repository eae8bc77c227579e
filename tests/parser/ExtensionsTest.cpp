// PHG, RNG and DFS extensions read from the comment, the assumed defaults, and the range formula.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "parser/Decoders.h"
#include "parser/Extensions.h"

namespace druv {
namespace {

struct PhgCase {
  std::string_view comment;
  bool positionValid = false, mobile = false, viaInternet = false;
  TAprsDataType type = dtPosition;
  // expected
  bool valid = false;
  int power = 0, height = 0, gain = 0, heading = 0;
  std::string_view headingStr = {};
  float range = 0;
  std::string_view phgValue = {};
  bool nonStandard = false;
  int beaconRate = 0;
  bool defaults = false;
};

constexpr float kDefaultRange = 4.4721f;  // sqrt(20)

const PhgCase kPhgCases[] = {
    {.comment = "PHG5132", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG5132"},
    {.comment = "PHG51325", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG51325", .beaconRate = 5},
    {.comment = "phg5132/A=001234", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG5132"},
    {.comment = "PHG 5132", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG5132"},
    {.comment = "Home PHG5132 QTH", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG5132", .nonStandard = true},
    {.comment = "home phg5132", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 90,
     .headingStr = "E", .range = 7.9527f, .phgValue = "PHG5132", .nonStandard = true},
    // Refused by the four-digit test: the position still earns defaults.
    {.comment = "Home PHG51x2", .positionValid = true, .valid = true, .power = 10, .height = 20,
     .gain = 3, .heading = 0, .headingStr = "OMNI", .range = kDefaultRange, .nonStandard = true,
     .defaults = true},
    {.comment = "x PHG51", .positionValid = true, .valid = true, .power = 10, .height = 20, .gain = 3,
     .headingStr = "OMNI", .range = kDefaultRange, .nonStandard = true, .defaults = true},
    // Too short after a leading PHG: nothing at all, not even defaults.
    {.comment = "PHG51", .positionValid = true},
    {.comment = "PHG", .positionValid = true, .valid = true, .power = 10, .height = 20, .gain = 3,
     .headingStr = "OMNI", .range = kDefaultRange, .defaults = true},
    {.comment = "PHG5139", .valid = true, .power = 25, .height = 20, .gain = 3, .heading = 0,
     .headingStr = "OMNI", .range = 7.9527f, .phgValue = "PHG5139"},
    // Non-digits take their defaults: power 1, height 10 ft, gain 0 dB, omni.
    {.comment = "PHGabcd", .valid = true, .power = 1, .height = 10, .gain = 0, .heading = 0,
     .headingStr = "OMNI", .range = 1.7783f, .phgValue = "PHGabcd"},
    {.comment = "RNG0050", .positionValid = true, .valid = true, .range = 50, .phgValue = "RNG0050"},
    {.comment = "rngabcd", .valid = true, .range = 0, .phgValue = "RNGabcd"},
    {.comment = "RNG005", .positionValid = true},
    {.comment = "", .positionValid = true, .valid = true, .power = 10, .height = 20, .gain = 3,
     .headingStr = "OMNI", .range = kDefaultRange, .defaults = true},
    {.comment = "driving", .positionValid = true, .mobile = true, .valid = true, .power = 10,
     .height = 10, .gain = 3, .headingStr = "OMNI", .range = kDefaultRange, .defaults = true},
    {.comment = "", .positionValid = true, .type = dtBeacon},
    {.comment = "", .positionValid = true, .viaInternet = true},
    {.comment = ""},
};

TEST(ParsePHG, ExtensionsAndDefaults) {
  for (const PhgCase& c : kPhgCases) {
    SCOPED_TRACE(std::string(c.comment) + (c.positionValid ? " with position" : ""));
    TAprsPacket p;
    p.DataTypeID = c.type;
    p.Comment = c.comment;
    p.Position.Valid = c.positionValid;
    p.Position.MobileUnit = c.mobile;
    p.ViaInternet = c.viaInternet;
    ParsePHG(p);
    const TStationCapabilitiesRec& caps = p.StationCapabilities;
    EXPECT_EQ(caps.Valid, c.valid);
    EXPECT_EQ(caps.Power, c.power);
    EXPECT_EQ(caps.Antenna.Height, c.height);
    EXPECT_EQ(caps.Antenna.Gain, c.gain);
    EXPECT_EQ(caps.Antenna.Heading, c.heading);
    EXPECT_EQ(caps.Antenna.HeadingStr, c.headingStr);
    EXPECT_NEAR(caps.RadioRange, c.range, 1e-4);
    EXPECT_EQ(caps.PHGValue, c.phgValue);
    EXPECT_EQ(caps.NonStandard, c.nonStandard);
    EXPECT_EQ(caps.BeaconRate, c.beaconRate);
    EXPECT_EQ(caps.DefaultValues, c.defaults);
    EXPECT_FALSE(p.DFReport.Valid);
  }
}

TEST(ParsePHG, RelaxedSearchCanBeSwitchedOff) {
  RelaxedPHG = false;
  TAprsPacket p;
  p.Comment = "Home PHG5132 QTH";
  ParsePHG(p);
  RelaxedPHG = true;
  EXPECT_FALSE(p.StationCapabilities.Valid);
  EXPECT_FALSE(p.StationCapabilities.NonStandard);
}

TEST(ParsePHG, DecodedCapabilitiesAreNotReplacedByDefaults) {
  TAprsPacket p;
  p.DataTypeID = dtStatus;
  p.Position.Valid = true;
  p.StationCapabilities.Valid = true;  // e.g. status beam data or a compressed range
  p.StationCapabilities.Power = 490;
  p.StationCapabilities.Antenna.Heading = 110;
  p.StationCapabilities.RadioRange = 20;
  ParsePHG(p);
  EXPECT_FALSE(p.StationCapabilities.DefaultValues);
  EXPECT_EQ(p.StationCapabilities.Power, 490);
  EXPECT_EQ(p.StationCapabilities.Antenna.Heading, 110);
  EXPECT_FLOAT_EQ(p.StationCapabilities.RadioRange, 20);
}

// Every value of every digit position, through a whole PHG extension.
TEST(ParsePHG, DigitTables) {
  const int heights[] = {10, 20, 40, 80, 160, 320, 640, 1280, 2560, 5120};
  const int gainFactors[] = {1, 1, 2, 2, 3, 3, 4, 5, 6, 8};
  const char* headingNames[] = {"OMNI", "NE", "E", "SE", "S", "SW", "W", "NW", "N", "OMNI"};
  for (int d = 0; d <= 9; ++d) {
    SCOPED_TRACE(d);
    const char digit = static_cast<char>('0' + d);
    TAprsPacket p;
    p.Comment = std::string("PHG") + digit + digit + digit + digit;
    ParsePHG(p);
    const TStationCapabilitiesRec& caps = p.StationCapabilities;
    EXPECT_EQ(caps.Power, d * d);
    EXPECT_EQ(caps.Antenna.Height, heights[d]);
    EXPECT_EQ(caps.Antenna.Gain, d);
    EXPECT_EQ(caps.Antenna.Heading, d == 9 ? 0 : d * 45);
    EXPECT_EQ(caps.Antenna.HeadingStr, headingNames[d]);
    const double expected = std::sqrt(std::sqrt(d * d / 10.0) * 2.0 * heights[d] * gainFactors[d] / 2.0);
    EXPECT_NEAR(caps.RadioRange, expected, expected * 1e-6);
  }
}

struct DfsCase {
  std::string_view comment;
  bool valid = false;
  int signal = 0, power = 0, height = 0, gain = 0, heading = 0;
  std::string_view headingStr = {};
  float range = 0;
  std::string_view dfsValue = {};
};

const DfsCase kDfsCases[] = {
    {"DFS2360", true, 2, 25, 80, 6, 0, "OMNI", 22.4937f, "DFS2360"},
    {"DFS0360", true, 1, 100, 80, 6, 0, "OMNI", 31.8108f, "DFS0360"},
    {"dfs4132/x", true, 4, 4, 20, 3, 90, "E", 5.0297f, "DFS4132"},
    {"DFSx389", true, 1, 100, 80, 8, 0, "OMNI", 38.9601f, "DFSx389"},
    {"DFS236"},
    {"DFS 236"},
    {"xDFS2360"},
    {""},
};

TEST(ParseDFS, Reports) {
  for (const DfsCase& c : kDfsCases) {
    SCOPED_TRACE(c.comment);
    TAprsPacket p;
    p.Comment = c.comment;
    ParseDFS(p);
    const TDFReportRec& df = p.DFReport;
    EXPECT_EQ(df.Valid, c.valid);
    EXPECT_EQ(df.Signal, c.signal);
    EXPECT_EQ(df.Power, c.power);
    EXPECT_EQ(df.Antenna.Height, c.height);
    EXPECT_EQ(df.Antenna.Gain, c.gain);
    EXPECT_EQ(df.Antenna.Heading, c.heading);
    EXPECT_EQ(df.Antenna.HeadingStr, c.headingStr);
    EXPECT_NEAR(df.RadioRange, c.range, 1e-4);
    EXPECT_EQ(df.DFSValue, c.dfsValue);
    EXPECT_FALSE(df.NonStandard);
    EXPECT_FALSE(p.StationCapabilities.Valid);
  }
}

TEST(ParseDFS, SignalGivesRoundedPower) {
  const int powers[] = {100, 25, 9, 4, 4, 4, 1, 1, 1};  // round(10 / s)², halves to even
  for (int s = 1; s <= 9; ++s) {
    SCOPED_TRACE(s);
    TAprsPacket p;
    p.Comment = std::string("DFS") + static_cast<char>('0' + s) + "000";
    ParseDFS(p);
    EXPECT_EQ(p.DFReport.Signal, s);
    EXPECT_EQ(p.DFReport.Power, powers[s - 1]);
  }
}

TEST(PHGRange, SinglePrecisionMiles) {
  EXPECT_NEAR(PHGRange(25, 20, 2), 7.9527f, 1e-4);
  EXPECT_NEAR(PHGRange(25, 80, 4), 22.4937f, 1e-4);
  EXPECT_EQ(PHGRange(10, 10, 2), static_cast<float>(std::sqrt(20.0)));
  EXPECT_EQ(PHGRange(0, 5120, 8), 0.0f);
}

TEST(BeamTables, HeadingAndPowerCharacters) {
  struct Case {
    char c;
    int heading, power;
  };
  const Case cases[] = {{'1', 10, 10},  {'2', 20, 40},   {'9', 90, 810},  {':', 0, 1000},
                        {'A', 100, 2890}, {'K', 200, 7290}, {'k', 200, 7290}, {'L', 210, 0},
                        {'Z', 350, 0},  {'0', 0, 0},     {' ', 0, 0},     {'^', 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.c);
    EXPECT_EQ(BeamHeading(c.c), c.heading);
    EXPECT_EQ(BeamPower(c.c), c.power);
  }
}

}  // namespace
}  // namespace druv
