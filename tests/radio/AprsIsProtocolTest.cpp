// The APRS-IS client protocol: login, passcodes, server lines, own packets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/TAprsIsProtocol.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

TEST(AprsIsProtocol, LoginLine) {
  EXPECT_EQ(TAprsIsProtocol("QQ5ZZZ", -1, "r/33.5/-97.25/100").Greeting(),
            "user QQ5ZZZ pass -1 vers DRUVaprs 0.97 filter r/33.5/-97.25/100\r\n");
  EXPECT_EQ(TAprsIsProtocol("N0CALL-9", 13023, "").Greeting(), "user N0CALL-9 pass 13023 vers DRUVaprs 0.97\r\n");
}

TEST(AprsIsProtocol, StandardPasscodes) {
  // Published values; the SSID and letter case do not count.
  EXPECT_EQ(AprsIsPasscode("N0CALL"), 13023);
  EXPECT_EQ(AprsIsPasscode("n0call-9"), 13023);
  EXPECT_EQ(AprsIsPasscode("W1AW"), 25988);
  // An odd length uses the last character as a high byte only.
  EXPECT_EQ(AprsIsPasscode("QQ5ZZ"), (0x73E2 ^ ('Q' << 8) ^ 'Q' ^ ('5' << 8) ^ 'Z' ^ ('Z' << 8)) & 0x7FFF);
}

TEST(AprsIsProtocol, ServerLinesInAnySplit) {
  const std::string stream =
      "# aprsc 2.1.14-g5e22b37\r\n"
      "# logresp QQ5ZZZ unverified, server T2TEST\r\n"
      "QQ5AAA>APRS,TCPIP*,qAC,T2TEST:!3300.00N/09700.00Wk\r\n"
      "\r\n"
      "QQ5BBB>APRS,qAR,QQ5CCC:>8-bit \xb0 kept\n"  // a bare LF ends a line too
      "# 14 Dec 2024 10:00:00 GMT T2TEST 127.0.0.1:14580\r\n"
      "QQ5DDD>APRS:>half";
  const TLines packets = {"QQ5AAA>APRS,TCPIP*,qAC,T2TEST:!3300.00N/09700.00Wk", "QQ5BBB>APRS,qAR,QQ5CCC:>8-bit \xb0 kept"};
  const TLines comments = {"# aprsc 2.1.14-g5e22b37", "# logresp QQ5ZZZ unverified, server T2TEST",
                           "# 14 Dec 2024 10:00:00 GMT T2TEST 127.0.0.1:14580"};
  for (size_t split = 0; split <= stream.size(); ++split) {
    TAprsIsProtocol is("QQ5ZZZ", -1, "");
    TLines lines, messages;
    is.OnLine = [&](const std::string& l) { lines.push_back(l); };
    is.OnServerMessage = [&](const std::string& m) { messages.push_back(m); };
    is.Feed(std::string_view(stream).substr(0, split));
    is.Feed(std::string_view(stream).substr(split));
    ASSERT_EQ(lines, packets) << "split at " << split;
    ASSERT_EQ(messages, comments);
    // The half line is dropped with the link; the next connection's first line stands alone.
    is.Reset();
    is.Feed("QQ5EEE>APRS:>whole\r\n");
    ASSERT_EQ(lines.back(), "QQ5EEE>APRS:>whole");
  }
}

TEST(AprsIsProtocol, OverLongLineIsDroppedAlone) {
  TAprsIsProtocol is("QQ5ZZZ", -1, "");
  TLines lines;
  is.OnLine = [&](const std::string& l) { lines.push_back(l); };
  is.Feed(std::string(TAprsIsProtocol::MaxLineLength, 'x'));
  is.Feed("xx\r\nA>B:>next\r\n");
  EXPECT_EQ(lines, TLines{"A>B:>next"});
}

TEST(AprsIsProtocol, OwnPackets) {
  const TOwnPacketRec p{"QQ5ZZZ-9", "APRS", {"WIDE1-1", "WIDE2-1"}, "!3300.00N/09700.00W- hello"};
  const TEncodedRec sent = TAprsIsProtocol("QQ5ZZZ", 19891, "").Encode(p);
  EXPECT_EQ(sent.Result, srSent);
  EXPECT_EQ(sent.Bytes, "QQ5ZZZ-9>APRS,TCPIP*:!3300.00N/09700.00W- hello\r\n");  // the RF path is not used
  EXPECT_EQ(TAprsIsProtocol("QQ5ZZZ", -1, "").Encode(p).Result, srReceiveOnly);
  // A wrong passcode is the server's business.
  EXPECT_EQ(TAprsIsProtocol("QQ5ZZZ", 1, "").Encode(p).Result, srSent);
  struct {
    TOwnPacketRec Packet;
    TSendResult Result;
  } refused[] = {
      {{"QQ5ZZZ", "APRS", {}, "a\r\nQQ5ZZZ>APRS:injected"}, srBadText},
      {{"QQ5ZZZ", "APRS", {}, ""}, srBadText},
      {{"", "APRS", {}, ">x"}, srBadAddress},
      {{"QQ5 ZZZ", "APRS", {}, ">x"}, srBadAddress},
      {{"QQ5ZZZ", "AP:RS", {}, ">x"}, srBadAddress},
  };
  for (const auto& r : refused) EXPECT_EQ(TAprsIsProtocol("QQ5ZZZ", 1, "").Encode(r.Packet).Result, r.Result);
}

}  // namespace
}  // namespace druv
