#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "parser/APRSParser.h"
#include "parser/Decoders.h"

namespace druv {
namespace {

const TDateTime kNow = *EncodeDateTime(2024, 3, 5, 12, 34, 56, 789);

std::string Join(const std::vector<std::string>& v) {
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : ",") + s;
  return out;
}

struct THeaderCase {
  const char* line = "";
  bool accepted = false;
  const char* stationCall = "";
  const char* callSign = "";
  int ssid = 0;
  const char* destination = "";
  const char* digipeaters = "";
  bool heardDirectly = true;
  int hops = 0;
  const char* reversePath = "";
  bool viaInternet = false;
  TAprsDataType type = dtUnknown;
  const char* information = "";
};

TEST(ParsePacketTest, HeaderPathAndDataType) {
  const THeaderCase cases[] = {
      {"QQ5AAA>APRS,WIDE2-1:>hello", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "WIDE2-1", true, 1, "", false, dtStatus, "hello"},
      // The source holds at most 9 characters, 10 with the digipeated mark.
      {"QQ5AAAA-15>APRS:>x", false},
      {"QQ5AAA-15*>APRS:>x", true, "QQ5AAA-15", "QQ5AAA", 15, "APRS", "", true, 0, "", false, dtStatus, "x"},
      {"QQ5AAA:x>y", false},
      {"QQ5AAA>APRS", false},
      {"", false},
      {"NOSOURCE:Xhi", true, "", "", 0, "NOSOURCE", "", true, 0, "", false, dtBeacon, "Xhi"},
      {"qq5aaa-9>aprs,wide2-1:>x", true, "QQ5AAA-9", "QQ5AAA", 9, "APRS", "WIDE2-1", true, 1, "", false, dtStatus, "x"},
      {"QQ5AAA>APRS,QQ5DDD-3*,WIDE2-1:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "QQ5DDD-3*,WIDE2-1", false, 2,
       "QQ5DDD-3", false, dtStatus, "x"},
      {"QQ5AAA>APRS,QQ5DDD-3*,WIDE2-1,QQ5EEE*:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "QQ5DDD-3*,WIDE2-1,QQ5EEE*",
       false, 3, "QQ5EEE,QQ5DDD-3", false, dtStatus, "x"},
      // Starred alias without SSID counts its digit; WIDE7-1 has used six hops; q-constructs one.
      {"QQ5AAA>APRS,WIDE3*,WIDE7-1,QAR:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "WIDE3*,WIDE7-1,QAR", false, 10, "",
       false, dtStatus, "x"},
      {"QQ5AAA>APRS,TCPIP*,qAC,T2EU:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "TCPIP*,QAC,T2EU", false, 0, "", true,
       dtStatus, "x"},
      {"QQ5AAA>APRS,WIDE1,,WIDE2:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "WIDE1", true, 0, "", false, dtStatus, "x"},
      // Markers count anywhere in the path, also after the empty element that ends the list.
      {"QQ5AAA>APRS,WIDE1*,,TCPIP:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "WIDE1*", false, 0, "", true, dtStatus,
       "x"},
      {"QQ5AAA>APRS, WIDE1 , WIDE2-2 :>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "WIDE1,WIDE2-2", true, 0, "", false,
       dtStatus, "x"},
      {"12345>APRS:>x", true, "12345", "12345", 0, "APRS", "", true, 0, "", false, dtStatus, "x"},
      // Data types: empty, blank-led or unknown information fields are beacons, kept whole.
      {"QQ5AAA>APRS:", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "", true, 0, "", false, dtBeacon, ""},
      {"QQ5AAA>APRS: hello", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "", true, 0, "", false, dtBeacon, " hello"},
      {"QQ5AAA>APRS:Xhello", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "", true, 0, "", false, dtBeacon, "Xhello"},
      {"QQ5AAA>APRS:T#005,1", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "", true, 0, "", false, dtTelemetry, "#005,1"},
      {"QQ5AAA>APRS:}QQ5BBB>APRS:>x", true, "QQ5AAA", "QQ5AAA", 0, "APRS", "", true, 0, "", false, dtThirdParty,
       "QQ5BBB>APRS:>x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto p = ParsePacket(c.line, 0, kNow);
    EXPECT_EQ(LineDataType(c.line), p ? p->DataTypeID : dtUnknown);
    ASSERT_EQ(p != nullptr, c.accepted);
    if (!p) continue;
    EXPECT_EQ(p->SourceCallSign.StationCall, c.stationCall);
    EXPECT_EQ(p->SourceCallSign.CallSign, c.callSign);
    EXPECT_EQ(p->SourceCallSign.SSID, c.ssid);
    EXPECT_EQ(p->DestinationCallSign, c.destination);
    EXPECT_EQ(Join(p->Digipeaters), c.digipeaters);
    EXPECT_EQ(p->HeardDirectly, c.heardDirectly);
    EXPECT_EQ(p->HopCount, c.hops);
    EXPECT_EQ(p->ReversePath, c.reversePath);
    EXPECT_EQ(p->ViaInternet, c.viaInternet);
    EXPECT_EQ(p->DataTypeID, c.type);
    EXPECT_EQ(p->InformationField, c.information);
    EXPECT_EQ(p->RawPacket, c.line);
    EXPECT_EQ(p->Valid, std::string(c.callSign) != "");
  }
}

TEST(ParsePacketTest, PathFlagsAndPortTail) {
  auto p = ParsePacket("QQ5AAA>APRS,RFONLY,nogate:>x", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->RFOnly);
  EXPECT_TRUE(p->NoGate);
  EXPECT_FALSE(p->TCPXX);
  EXPECT_FALSE(p->ViaInternet);

  p = ParsePacket("QQ5AAA>APRS,TCPXX*,qAX,QQ5BBB:>x", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->TCPXX);
  EXPECT_TRUE(p->ViaInternet);
  EXPECT_EQ(p->HopCount, 0);

  p = ParsePacket("QQ5AAA>APRS,WIDE2-1 Port=1:>x", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->SourcePathHeader, "QQ5AAA>APRS,WIDE2-1");
  EXPECT_EQ(Join(p->Digipeaters), "WIDE2-1");
}

TEST(ParsePacketTest, ReceiveTimeAndPort) {
  auto p = ParsePacket("QQ5AAA>APRS:>x", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->TimeReceived, kNow);
  EXPECT_EQ(p->LastHeardOther, kNow);
  EXPECT_EQ(p->LastHeardRadio, 0);
  EXPECT_EQ(p->TimeStamp.DateTime, kNow);
  EXPECT_TRUE(p->TimeStamp.Valid);
  EXPECT_EQ(p->SourcePort, 0);

  p = ParsePacket("QQ5AAA>APRS:>x", 2, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->LastHeardRadio, kNow);
  EXPECT_EQ(p->LastHeardOther, 0);
  EXPECT_EQ(p->SourcePort, 2);

  const TDateTime before = UtcNow();
  p = ParsePacket("QQ5AAA>APRS:>x", 0);
  ASSERT_TRUE(p);
  EXPECT_GE(p->TimeReceived, before);
  EXPECT_LE(p->TimeReceived, UtcNow());
}

TEST(ParsePacketTest, DecorationRemoval) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk", "QQ5AAA>APRS,WIDE2-1:!3300.00N/09700.00Wk"},
      {"QQ5AAA>APRS <<UI>>:data", "QQ5AAA>APRS:data"},
      {"QQ5AAA>APRS <UI C Len=27>:)AID #2!4903.50N/07201.75WA", "QQ5AAA>APRS:)AID #2!4903.50N/07201.75WA"},
      {"QQ5AAA>APRS<UI>::QQ5BBB   :hi", "QQ5AAA>APRS::QQ5BBB   :hi"},
      {"QQ5AAA>APRS:>no decoration ", "QQ5AAA>APRS:>no decoration "},
      {"<UI", "<UI"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(NormalizeMonitorLine(c.in), c.out);
  }

  auto decorated = ParsePacket("QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk", 0, kNow);
  auto plain = ParsePacket("QQ5AAA>APRS,WIDE2-1:!3300.00N/09700.00Wk", 0, kNow);
  ASSERT_TRUE(decorated && plain);
  EXPECT_EQ(decorated->RawPacket, plain->RawPacket);
  EXPECT_EQ(decorated->SourcePathHeader, plain->SourcePathHeader);
  EXPECT_EQ(Join(decorated->Digipeaters), Join(plain->Digipeaters));
  EXPECT_EQ(decorated->InformationField, plain->InformationField);
  EXPECT_EQ(decorated->Position.Latitude.Value, 33.0);
  EXPECT_EQ(decorated->Position.Longitude.Value, -97.0);
  EXPECT_EQ(decorated->Position.Gridsquare, "EM13MA");
  // The header test of LineDataType sees the line as received.
  EXPECT_EQ(LineDataType("QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk"), dtPosition);
}

TEST(ParsePacketTest, PositionAfterLeadingText) {
  // A "!" further into the field: the position is read from the character after it.
  auto p = ParsePacket("QQ5AAA>APRS:hoponassualku!6028.51S/02505.68W#PHG7220 Jarvenpaa", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtPosition);
  EXPECT_EQ(p->InformationField, "oponassualku!6028.51S/02505.68W#PHG7220 Jarvenpaa");
  EXPECT_TRUE(p->Position.Valid);
  EXPECT_DOUBLE_EQ(p->Position.Latitude.Value, -60.4752);
  EXPECT_DOUBLE_EQ(p->Position.Longitude.Value, -25.0947);
  EXPECT_EQ(p->SymbolCode, '#');

  p = ParsePacket("QQ5AAA>APRS: !3300.00N/09700.00Wk", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtPosition);
  EXPECT_EQ(p->Position.Latitude.Value, 33.0);
  EXPECT_EQ(p->Position.Longitude.Value, -97.0);

  // Beyond the first 40 characters a "!" is just text.
  p = ParsePacket("QQ5AAA>APRS:" + std::string(40, 'x') + "!3300.00N/09700.00Wk", 0, kNow);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->DataTypeID, dtBeacon);
  EXPECT_FALSE(p->Position.Valid);
}

TEST(ParsePacketTest, ParseCallsignAndSplitToken) {
  struct {
    const char* in;
    const char* call;
    int ssid;
  } calls[] = {
      {"QQ5AAA-15", "QQ5AAA", 15}, {"QQ5AAA", "QQ5AAA", 0}, {"ABC123", "ABC", 123}, {"qq5aaa-1", "QQ5AAA", 1},
      {"QQ5AAA-300", "QQ5AAA", 300 & 0xFF}, {"12345", "12345", 0}, {"QQ5AAA-", "QQ5AAA-", 0}, {"", "", 0},
      {"QQ5AAA/7", "QQ5AAA", 0},  // the scan stops at the letter; "/7" is no number
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(c.in);
    TCallsignRec r = ParseCallsign(c.in);
    EXPECT_EQ(r.CallSign, c.call);
    EXPECT_EQ(r.SSID, c.ssid);
  }
  EXPECT_EQ(ParseCallsign("qq5aaa-9").StationCall, "QQ5AAA-9");

  struct {
    const char* text;
    const char* token;
    const char* rest;
  } splits[] = {{" A , B ,C", "A", "B ,C"}, {" A ", "A", ""}, {"", "", ""}, {", B", "", "B"}, {"A;B,C", "A", "B,C"}};
  for (const auto& c : splits) {
    SCOPED_TRACE(c.text);
    std::string text = c.text, token = "old";
    SplitToken(text, ",;", token);
    EXPECT_EQ(token, c.token);
    EXPECT_EQ(text, c.rest);
  }
}

TEST(ParsePacketTest, DecoderErrorGivesNothing) {
  // A Mic-E identifier with nothing after it cannot be decoded at all.
  EXPECT_EQ(ParsePacket("QQ5AAA>S32U6T:`", 0, kNow), nullptr);
  EXPECT_NE(ParsePacket("QQ5AAA>S32U6T:`(", 0, kNow), nullptr);
}

TEST(ParsePacketTest, AssignKeepsPathState) {
  auto src = ParsePacket("QQ5AAA-7>APRS,QQ5DDD-3*,WIDE2-1,RFONLY:!3300.00N/09700.00Wk PHG5132 hi", 3, kNow);
  ASSERT_TRUE(src);
  src->Expires = 7;
  src->DFReport.Valid = true;
  TAprsPacket dst;
  dst.Assign(*src);
  EXPECT_EQ(dst.RawPacket, src->RawPacket);
  EXPECT_EQ(dst.SourceCallSign.StationCall, "QQ5AAA-7");
  EXPECT_EQ(dst.Digipeaters, src->Digipeaters);
  EXPECT_EQ(dst.Position.Gridsquare, "EM13MA");
  EXPECT_EQ(dst.Comment, src->Comment);
  EXPECT_EQ(dst.HeardDirectly, false);
  EXPECT_EQ(dst.TimeReceived, kNow);
  EXPECT_EQ(dst.LastHeardRadio, kNow);
  EXPECT_EQ(dst.Valid, true);
  // Path-derived state and the port stay with the receiving packet.
  EXPECT_EQ(dst.HopCount, 0);
  EXPECT_EQ(dst.ReversePath, "");
  EXPECT_FALSE(dst.RFOnly);
  EXPECT_EQ(dst.SourcePort, 0);
  EXPECT_EQ(dst.Expires, 0);
  EXPECT_FALSE(dst.DFReport.Valid);
  dst.Assign(dst);
  EXPECT_EQ(dst.RawPacket, src->RawPacket);
}

TEST(ParsePacketTest, RealCorpusParsesWithoutFault) {
  std::ifstream in(DRUV_FIXTURES_DIR "/corpus/real.txt", std::ios::binary);
  if (!in) GTEST_SKIP() << "corpus not present";
  std::string line;
  int lines = 0, accepted = 0, positions = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lines;
    auto p = ParsePacket(line, 0, kNow);
    if (!p) continue;
    ++accepted;
    SCOPED_TRACE(line);
    EXPECT_NE(p->DataTypeID, dtUnknown);
    EXPECT_EQ(p->RawPacket, line);
    if (p->Position.Valid) {
      ++positions;
      EXPECT_TRUE(p->Position.Gridsquare.size() == 6 || p->Position.Gridsquare.size() == 4);
    }
  }
  EXPECT_GT(lines, 1000);
  EXPECT_GT(accepted, lines * 9 / 10);
  EXPECT_GT(positions, lines / 3);
}

}  // namespace
}  // namespace druv
