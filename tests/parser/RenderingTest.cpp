#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/DateTime.h"
#include "parser/APRSParser.h"
#include "parser/Decoders.h"
#include "parser/TAprsPacket.h"

namespace druv {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return *EncodeDateTime(y, mo, d, h, mi, s, ms);
}

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) s += "\r\n";
    s += lines[i];
  }
  return s;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t at = text.find("\r\n", start);
    lines.push_back(text.substr(start, at - start));
    if (at == std::string::npos) break;
    start = at + 2;
  }
  return lines;
}

// The one line that starts with label (labels are unique within a block).
std::string LineAfter(const std::string& text, const std::string& label) {
  for (const std::string& l : SplitLines(text))
    if (l.rfind(label, 0) == 0) return l.substr(label.size());
  ADD_FAILURE() << "no line " << label;
  return {};
}

class RenderingTest : public ::testing::Test {
 protected:
  RenderingTest() {
    p.TimeReceived = At(2025, 3, 15, 16, 0, 5);
    p.RawPacket = "QQ5AAA-9>APRS,QQ5DDD-3*,WIDE2-1:>hello";
    p.SourcePathHeader = "QQ5AAA-9>APRS,QQ5DDD-3*,WIDE2-1";
    p.SourceCallSign = {"QQ5AAA-9", "QQ5AAA", 9};
    p.DestinationCallSign = "APRS";
    p.Digipeaters = {"QQ5DDD-3*", "WIDE2-1"};
    p.HopCount = 2;
    p.ReversePath = "QQ5DDD-3";
    p.Comment = "hello";
    p.HeardDirectly = false;
    p.InformationField = "hello";
    p.DataTypeID = dtStatus;
    p.FromD7 = true;
    p.SourcePort = 3;
    p.LastHeardOther = At(2025, 3, 15, 16, 0, 5);
    p.TimeStamp = {At(2025, 3, 9), true};
    p.SymbolTableIdentifier = '/';
    p.SymbolCode = '>';
  }

  void SetPosition() {
    p.Position.Valid = true;
    p.Position.Latitude = {"3330.00N", 33.5};
    p.Position.Longitude = {"09700.00W", -97.0};
    p.Position.Gridsquare = "EM13MM";
    p.Position.Course = 88;
    p.Position.Speed = 36;
    p.Position.Altitude = 1234;
    p.Position.MobileUnit = true;
  }

  void SetMessageAndObject() {
    p.MessageData = {"NWS-WARN", "12", "a,b,TXyz", mtNWS, "TX", 0, ""};
    p.ObjectData = {true, "FLOOD-1"};
  }

  TAprsPacket p;
};

const std::vector<std::string> kHeader = {
    " << Packet ---------------------------------------------->>",
    "               Received: 2025-03-15 16:00:05 UTC",
    "        Original Packet: QQ5AAA-9>APRS,QQ5DDD-3*,WIDE2-1:>hello",
    "                 Header: QQ5AAA-9>APRS,QQ5DDD-3*,WIDE2-1",
    "        Source CallSign: QQ5AAA-9",
    "   Destination Callsign: APRS",
    "            Digipeaters: QQ5DDD-3*,WIDE2-1",
    "              Hop Count: 2",
    "           Reverse Path: QQ5DDD-3",
    "                Comment: hello",
    "         Heard Directly: No",
    "      Information Field: hello",
    "           Data Type Ch: >",
    "              Data Type: Status",
    "             From TH-D7: Yes",
    "           From TM-D700: No",
    "            Source Port: 3",
    "       Last Heard Radio: ",
    "       Last Heard Other: 2025-03-15 16:00:05",
    "             Time Stamp: 2025-03-09 UTC (Valid)",
    "                 Symbol: />",
};

TEST_F(RenderingTest, HeaderBlockAloneIsExactly21Lines) {
  ASSERT_EQ(kHeader.size(), 21u);
  EXPECT_EQ(p.VerboseDisplayStr(), Join(kHeader));
}

TEST_F(RenderingTest, SymbolFieldsOfZeroBecomeBlanks) {
  p.SymbolTableIdentifier = 0;
  p.SymbolCode = 0;
  EXPECT_EQ(SplitLines(p.VerboseDisplayStr()).back(), "                 Symbol:   ");
  EXPECT_EQ(LineAfter(p.ShortVerboseDisplayStr(), "     Symbol: "), "  ");
  p.SymbolTableIdentifier = '\\';
  EXPECT_EQ(LineAfter(p.VerboseDisplayStr(), "                 Symbol: "), "\\ ");
}

TEST_F(RenderingTest, DateTimesAreLocaleFreeAndDatedFormsEmptyAtZero) {
  struct Case {
    TDateTime Value;
    const char* Dated;
  } cases[] = {
      {0, ""},
      {At(2025, 3, 9), "2025-03-09"},  // midnight: the date alone
      {At(2025, 3, 9, 0, 0, 0, 1), "2025-03-09 00:00:00"},
      {At(1999, 12, 31, 23, 59, 59), "1999-12-31 23:59:59"},
      {At(2025, 3, 15, 7, 5, 9, 600), "2025-03-15 07:05:09"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Dated);
    p.LastHeardRadio = c.Value;
    p.TimeStamp = {c.Value, false};
    const std::string text = p.VerboseDisplayStr();
    EXPECT_EQ(LineAfter(text, "       Last Heard Radio: "), c.Dated);
    EXPECT_EQ(LineAfter(text, "             Time Stamp: "), std::string(c.Dated) + " UTC (Invalid)");
    EXPECT_EQ(LineAfter(p.ShortVerboseDisplayStr(), "     Time Stamp: "), std::string(c.Dated) + " UTC (Invalid)");
  }
  // The receive time is always shown, even at zero.
  p.TimeReceived = 0;
  EXPECT_EQ(LineAfter(p.VerboseDisplayStr(), "               Received: "), "1899-12-30 UTC");
}

TEST_F(RenderingTest, DigipeaterElementsWithBlankCommaOrQuoteAreQuoted) {
  struct Case {
    std::vector<std::string> Digis;
    const char* Text;
  } cases[] = {
      {{}, ""},
      {{"WIDE1-1"}, "WIDE1-1"},
      {{"WIDE1-1", "A B"}, "WIDE1-1,\"A B\""},
      {{"X,Y", "Z"}, "\"X,Y\",Z"},
      {{"Q\"T"}, "\"Q\"\"T\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    p.Digipeaters = c.Digis;
    EXPECT_EQ(LineAfter(p.VerboseDisplayStr(), "            Digipeaters: "), c.Text);
  }
}

TEST_F(RenderingTest, PositionMessageAndObjectBlocksFollowTheHeader) {
  SetPosition();
  SetMessageAndObject();
  std::vector<std::string> expected = kHeader;
  expected.insert(expected.end(), {
                                      " << Position >> ",
                                      "                    Lat: 3330.00N (33.50)",
                                      "                    Lon: 09700.00W (-97.00)",
                                      "            Grid Square: EM13MM",
                                      "                 Course: 88",
                                      "                  Speed: 36",
                                      "               Altitude: 1234",
                                      "                 Mobile: Yes",
                                      " << Message >> ",
                                      "               Msg Type: NWS",
                                      "              Addressee: NWS-WARN",
                                      "               Msg Text: a,b,TXyz",
                                      "              NWS State: TX",
                                      "                   Seq#: 12",
                                      "              Msg Index: 0",
                                      " << Object/Item >> ",
                                      "                   Name: FLOOD-1",
                                      "                 Active: Yes",
                                  });
  EXPECT_EQ(p.VerboseDisplayStr(), Join(expected));
}

TEST_F(RenderingTest, CapabilitiesAndDfBlocks) {
  const bool relaxed = RelaxedPHG;
  p.StationCapabilities.Valid = true;
  p.StationCapabilities.Power = 25;
  p.StationCapabilities.Antenna = {3, 20, 90, "E"};
  p.StationCapabilities.RadioRange = 7.9527f;
  p.StationCapabilities.PHGValue = "PHG51325";
  p.StationCapabilities.NonStandard = true;
  p.StationCapabilities.BeaconRate = 5;
  p.DFReport.Valid = true;
  p.DFReport.Signal = 2;
  p.DFReport.Power = 25;
  p.DFReport.Antenna = {6, 80, 0, "OMNI"};
  p.DFReport.RadioRange = 22.4937f;
  p.DFReport.DFSValue = "DFS2360";

  for (bool on : {true, false}) {
    SCOPED_TRACE(on);
    RelaxedPHG = on;
    std::vector<std::string> expected = kHeader;
    expected.insert(expected.end(), {
                                        " << Station Capabilities >> ",
                                        "                  Power: 25 watts",
                                        "           Antenna HAAT: 20ft",
                                        "           Antenna Gain: 3db",
                                        "        Antenna Heading: E",
                                        "            Radio Range: 7.95 miles",
                                        "             PHG String: PHG51325",
                                        std::string("   Relaxed PHG Checking: ") + (on ? "On" : "Off"),
                                        "         Spec Compliant: No",
                                        "            Beacon Rate: 5",
                                        " << DF Report >> ",
                                        "          Signal Report: S2",
                                        "           Antenna HAAT: 80ft",
                                        "           Antenna Gain: 6db",
                                        "        Antenna Heading: OMNI",
                                        "            Radio Range: 22.49 miles",
                                        "             DFS String: DFS2360",
                                    });
    EXPECT_EQ(p.VerboseDisplayStr(), Join(expected));
  }
  RelaxedPHG = relaxed;

  p.StationCapabilities.NonStandard = false;
  EXPECT_EQ(LineAfter(p.VerboseDisplayStr(), "         Spec Compliant: "), "Yes");
  // The short form has neither block.
  EXPECT_EQ(p.ShortVerboseDisplayStr().find("<<"), std::string::npos);
}

TEST_F(RenderingTest, ShortFormWithPositionMessageAndObject) {
  EXPECT_EQ(p.ShortVerboseDisplayStr(), Join({
                                            "  CallSign: QQ5AAA-9",
                                            "     Hop Count: 2",
                                            "     Comment: hello",
                                            "     Heard Directly: No",
                                            "     Info Field: hello",
                                            "     Data Type Ch: >",
                                            "     Data Type: Status",
                                            "     Time Stamp: 2025-03-09 UTC (Valid)",
                                            "     Symbol: />",
                                        }));
  SetPosition();
  SetMessageAndObject();
  p.MessageData.MsgType = mtBulletin;
  p.ObjectData.Active = false;
  const std::vector<std::string> lines = SplitLines(p.ShortVerboseDisplayStr());
  const std::vector<std::string> tail(lines.begin() + 9, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "   Lat: 3330.00N (33.50)",
                      "   Lon: 09700.00W (-97.00)",
                      "   Grid Square: EM13MM",
                      "   Course: 88",
                      "   Speed: 36",
                      "   Altitude: 1234",
                      "   Mobile: Yes",
                      " << Message >> ",
                      "               Msg Type: Bulletin",
                      "              Addressee: NWS-WARN",
                      "               Msg Text: a,b,TXyz",
                      "              NWS State: TX",
                      "                   Seq#: 12",
                      "              Msg Index: 0",
                      " << Object/Item >> ",
                      "                   Name: FLOOD-1",
                      "                 Active: No",
                  }));
}

// A message that acknowledges another in reply-ack form shows the ack after its number, in both
// renderings; without one the block is as before.
TEST_F(RenderingTest, ReplyAckFollowsTheSequenceLine) {
  SetMessageAndObject();
  p.MessageData.ReplyAck = "f001";
  const std::vector<std::string> block = {
      "                   Seq#: 12",
      "              Reply Ack: f001",
      "              Msg Index: 0",
  };
  for (const std::string& text : {p.VerboseDisplayStr(), p.ShortVerboseDisplayStr()}) {
    const std::vector<std::string> lines = SplitLines(text);
    auto seq = std::find(lines.begin(), lines.end(), block[0]);
    ASSERT_NE(seq, lines.end()) << text;
    ASSERT_LE(seq + 3, lines.end());
    EXPECT_EQ(std::vector<std::string>(seq, seq + 3), block);
  }
}

TEST_F(RenderingTest, PositionTextsTwoAndThree) {
  EXPECT_EQ(p.VerboseDisplayStr2(), "");
  EXPECT_EQ(p.VerboseDisplayStr3(), "");
  SetPosition();
  p.Position.Latitude.Value = 33.4273;
  p.Position.Longitude = {"09715.95W", -97.265833333};
  EXPECT_EQ(p.VerboseDisplayStr2(), " Lat: 3330.00N (33.43)\r\n                    Lon: 09715.95W (-97.27)");
  EXPECT_EQ(p.VerboseDisplayStr3(), "33.4273*-97.265833333");
}

TEST_F(RenderingTest, OutOfRangeEnumsAndDatesRenderWithoutReadingPastTables) {
  p.DataTypeID = static_cast<TAprsDataType>(200);
  p.MessageData.MsgType = static_cast<TMessageType>(200);
  p.LastHeardRadio = 1e300;
  const std::string text = p.VerboseDisplayStr();
  EXPECT_EQ(LineAfter(text, "              Data Type: "), "Unknown/Invalid");
  EXPECT_EQ(LineAfter(text, "               Msg Type: "), "Unknown");
  EXPECT_EQ(LineAfter(text, "       Last Heard Radio: "), "");
}

// Through the parser: the position of the line shows in both renderings.
TEST(RenderingOfParsedPacket, PositionLine) {
  auto p = ParsePacket("QQ5AAA>APRS,WIDE2-1:!3330.00N/09700.00Wk", 0, At(2025, 3, 15, 16, 0, 5));
  ASSERT_TRUE(p);
  const std::string text = p->VerboseDisplayStr();
  EXPECT_EQ(LineAfter(text, "               Received: "), "2025-03-15 16:00:05 UTC");
  EXPECT_EQ(LineAfter(text, "                    Lat: "), "3330.00N (33.50)");
  EXPECT_EQ(LineAfter(text, "                    Lon: "), "09700.00W (-97.00)");
  EXPECT_EQ(LineAfter(text, "                 Symbol: "), "/k");
  EXPECT_EQ(LineAfter(text, "                 Mobile: "), "Yes");
  EXPECT_EQ(p->VerboseDisplayStr3(), "33.5*-97");
}

// The lines that the newly read fields change: course, speed and altitude of a tracker, the
// reply-ack of a message, and no position block for a position off the earth.
TEST(RenderingOfParsedPacket, FieldsReadFromTheComment) {
  const TDateTime now = At(2025, 3, 15, 16, 0, 5);
  auto p = ParsePacket("OH7FDN>APZMDR,WIDE2-1:!6253.52N/02739.47E>036/010/A=000465 |!!!", 0, now);
  ASSERT_TRUE(p);
  std::string text = p->VerboseDisplayStr();
  EXPECT_EQ(LineAfter(text, "                 Course: "), "36");
  EXPECT_EQ(LineAfter(text, "                  Speed: "), "10");
  EXPECT_EQ(LineAfter(text, "               Altitude: "), "465");
  EXPECT_EQ(LineAfter(text, "                Comment: "), "036/010/A=000465 |!!!");
  EXPECT_EQ(LineAfter(p->ShortVerboseDisplayStr(), "   Altitude: "), "465");

  p = ParsePacket("OH7AA-1>APRS::OH7LZB   :Testing, 1 2 3{1}f001", 0, now);
  ASSERT_TRUE(p);
  text = p->VerboseDisplayStr();
  EXPECT_EQ(LineAfter(text, "                   Seq#: "), "1");
  EXPECT_EQ(LineAfter(text, "              Reply Ack: "), "f001");

  p = ParsePacket("N6BMW-1>APRS,DMR*:=3426.19N/24051.47E[Dan - Ojai CA", 0, now);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->VerboseDisplayStr().find("<< Position >>"), std::string::npos);
  EXPECT_EQ(p->VerboseDisplayStr2(), "");
  EXPECT_EQ(p->VerboseDisplayStr3(), "");
}

}  // namespace
}  // namespace druv
