#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "radio/TReceivedLines.h"
#include "radio/TRxAssembler.h"

namespace druv {
namespace {

struct TRx {
  TRxAssembler Rx;
  TReceivedLines Lines;
  std::vector<std::string> Status;
  TRx() {
    Rx.OnRawLine = [this](const std::string& l) { Lines.AppendRaw(l); };
    Rx.OnStatusLine = [this](const std::string& l) {
      Lines.SetStatusLine(l);
      Status.push_back(l);
    };
  }
  void Feed(const std::string& s) {
    for (char c : s) Rx.Char(c);
  }
};

using TLines = std::vector<std::string>;

TEST(RxAssembler, LineEndsAndFiling) {
  const std::string pos = "TEST>APT311,WIDE2-2:!3300.00N/09700.00Wk";
  struct {
    const char* Name;
    std::string Input;
    TLines Raw, Status;
    std::string Left;  // what stays in RxLine
  } cases[] = {
      {"CR", pos + "\r", {pos}, {pos}, ""},
      {"CR LF", pos + "\r\n" + pos + "\r\n", {pos, pos}, {pos, pos}, "\n"},
      {"LF CR", pos + "\n\r" + pos + "\n\r", {pos, pos}, {pos, pos}, ""},
      {"decorated", "QQ5AAA>APRS,WIDE2-1 <UI R>:>hi\r", {"QQ5AAA>APRS,WIDE2-1 <UI R>:>hi"},
       {"QQ5AAA>APRS,WIDE2-1 <UI R>:>hi"}, ""},
      {"cmd prompt", "cmd:TEST>APRS:!3300.00N/09700.00Wk\r", {}, {"cmd:TEST>APRS:!3300.00N/09700.00Wk"}, ""},
      {"no >", "EH?:x\r", {}, {"EH?:x"}, ""},
      {"radio echo", "TC 0;>x\r", {}, {"TC 0;>x"}, ""},
      {"three chars", "ab\r", {}, {"ab"}, ""},
      {"two chars", "a:\r", {}, {"a:"}, ""},
      {"one char stays in front", "x\rA>B:>c\r", {"x\rA>B:>c"}, {"x\rA>B:>c"}, ""},
      {"blank line", "\r\r", {}, {}, "\r\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRx rx;
    rx.Feed(c.Input);
    EXPECT_EQ(rx.Lines.RawPackets(), c.Raw);
    EXPECT_EQ(rx.Status, c.Status);
    EXPECT_EQ(rx.Rx.RxLine(), c.Left);
  }
}

TEST(RxAssembler, EveryStatusLineIsQueuedOnceInOrder) {
  TRx rx;
  rx.Feed("A>B:>1\rA>B:>2\rA>B:>2\r");
  rx.Lines.ShowStatusText("waiting on data ..");  // program messages are not queued
  TLines seen;
  rx.Lines.Drain([&](const std::string& l) { seen.push_back(l); });
  EXPECT_EQ(seen, (TLines{"A>B:>1", "A>B:>2", "A>B:>2"}));
  rx.Lines.Drain([&](const std::string& l) { seen.push_back(l); });
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(rx.Lines.RawPackets().size(), 3u);  // duplicates kept
}

TEST(RxAssembler, AFailingStatusUpdateStillEmptiesTheBuffer) {
  TRxAssembler rx;
  std::vector<std::string> raw;
  rx.OnRawLine = [&](const std::string& l) { raw.push_back(l); };
  rx.OnStatusLine = [](const std::string&) { throw std::runtime_error("widget gone"); };
  for (char c : std::string("A>B:>1\rA>B:>2\r")) rx.Char(c);
  EXPECT_EQ(raw, (TLines{"A>B:>1", "A>B:>2"}));
  EXPECT_EQ(rx.RxLine(), "");
}

TEST(RxAssembler, OverLongFragmentIsDroppedUpToItsCr) {
  TRx rx;
  rx.Feed(std::string(TRxAssembler::MaxLineLength + 100, 'x') + "tail>of:noise\rA>B:>ok\r");
  EXPECT_EQ(rx.Lines.RawPackets(), TLines{"A>B:>ok"});
  EXPECT_EQ(rx.Status, TLines{"A>B:>ok"});
  // A line of exactly the limit is still filed.
  TRx edge;
  std::string line = "A>B:>" + std::string(TRxAssembler::MaxLineLength - 6, 'y');
  edge.Feed(line + "\r");
  EXPECT_EQ(edge.Lines.RawPackets(), TLines{line});
}

TEST(RxAssembler, TenMegabytesOfNoiseStayBounded) {
  TRx rx;
  std::mt19937 gen(20261210);
  std::uniform_int_distribution<int> byte(0, 255);
  size_t longest = 0;
  for (int i = 0; i < 10 * 1024 * 1024; ++i) {
    rx.Rx.Char(static_cast<char>(byte(gen)));
    longest = std::max(longest, rx.Rx.RxLine().size());
    if ((i & 0xFFFF) == 0) rx.Lines.Drain({});
  }
  EXPECT_LE(longest, TRxAssembler::MaxLineLength);
  EXPECT_LE(rx.Rx.RxLine().capacity(), 2 * TRxAssembler::MaxLineLength);
  EXPECT_GT(rx.Status.size(), 1000u);  // random CRs still end lines
  for (const auto& l : rx.Lines.RawPackets()) EXPECT_LE(l.size(), TRxAssembler::MaxLineLength);
}

}  // namespace
}  // namespace druv
