// APRS messages: what goes on the air, numbering, the retry schedule on a fake clock and timer,
// acks and rejs matched to the right message, and messages for the own call acknowledged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser/APRSParser.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeTimer.h"
#include "radio/TAprsMessenger.h"
#include "tests/radio/TSendRig.h"

namespace druv {
namespace {

constexpr double kSecond = 1.0 / 86400;

struct TRig : TSendRig {
  TFakeClock Clock;
  TFakeTimer Timer;
  TAprsMessenger Messenger{Transmitter, Dialogs, Clock, Timer};
  std::vector<int> NumbersTaken;
  TRig() {
    Messenger.MyCall = "QQ5AAA-9";
    Messenger.OnNumberTaken = [this](int n) { NumbersTaken.push_back(n); };
  }
  // A monitor line as the TNC prints it.
  void Hear(const std::string& from, const std::string& info) {
    auto p = ParsePacket(from + ">APRS,WIDE2-1 <UI C>:" + info, 0, Clock.Utc);
    ASSERT_TRUE(p);
    Messenger.PacketHeard(*p);
  }
  void Later(double seconds) { Clock.Utc += seconds * kSecond; }
  std::string State(size_t i = 0) const { return StateText(Messenger.Outgoing().at(i)); }
  // What went out, without the converse-mode steps before each text.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& e : J.Entries)
      if (e.rfind("W ", 0) == 0 && e.find("CONV") == std::string::npos && e.find("<03>") == std::string::npos)
        out.push_back(e.substr(2));
    return out;
  }
};

using TLines = std::vector<std::string>;

TEST(AprsMessenger, SendNumbersPadsAndGoesOutInConverseMode) {
  TRig rig;
  rig.Messenger.LastNumber = 41;
  EXPECT_TRUE(rig.Messenger.Send(" qq5bbb ", "  Hello there "));
  EXPECT_EQ(rig.J.Entries, ConverseThen(100, true, ":QQ5BBB   :Hello there{42"));
  EXPECT_TRUE(rig.Messenger.Send("QQ5BBB-12", "x"));  // nine characters: no padding
  EXPECT_EQ(rig.Texts().back(), ":QQ5BBB-12:x{43<LF><CR>");
  EXPECT_EQ(rig.NumbersTaken, (std::vector<int>{42, 43}));
  rig.Messenger.LastNumber = MaxMessageNumber;  // five characters at most, then from 1 again
  rig.Messenger.Send("Q", std::string(67, 'a'));
  EXPECT_EQ(rig.Texts().back(), ":Q        :" + std::string(67, 'a') + "{1<LF><CR>");
  const auto& m = rig.Messenger.Outgoing()[0];
  EXPECT_EQ(m.Addressee, "QQ5BBB");
  EXPECT_EQ(m.Text, "Hello there");
  EXPECT_EQ(m.Number, "42");
  EXPECT_EQ(rig.State(), "sent");
  EXPECT_TRUE(rig.Dialogs.Shown.empty());
}

TEST(AprsMessenger, RefusesBadAddresseesAndTextsWithABox) {
  const std::string badCall =
      "The addressee must be a call sign of 1 to 9 letters and digits, with one \"-\" before an SSID if it has one "
      "(for example QQ5AAA-9).";
  const std::string badChars = "A message may not hold the characters |, ~ or { nor control characters.";
  struct TCase {
    std::string To, Text, Box;
  } cases[] = {
      {"", "hi", badCall},
      {"QQ5BBB-100", "hi", badCall},   // ten characters
      {"QQ5-B-1", "hi", badCall},      // two dashes
      {"QQ5BBB-", "hi", badCall},
      {"-9", "hi", badCall},
      {"QQ5 BBB", "hi", badCall},
      {"QQ5BBB*", "hi", badCall},
      {"Y0URCALL", "hi", "Y0URCALL is only an example: enter the call sign of the station the message is for."},
      {"QQ5BBB", "   ", "Enter the text of the message."},
      {"QQ5BBB", "a|b", badChars},
      {"QQ5BBB", "a~b", badChars},
      {"QQ5BBB", "a{b", badChars},
      {"QQ5BBB", "a\x03" "b", badChars},
      {"QQ5BBB", std::string(68, 'x'), "A message holds at most 67 characters; this one has 68."},
      {"QQ5BBB", "do not CONV", "The TNC would take \"TC \" or \"CONV\" in this message for a command: it cannot be sent."},
      {"QQ5BBB", "at TC 1", "The TNC would take \"TC \" or \"CONV\" in this message for a command: it cannot be sent."},
  };
  for (const auto& c : cases) {
    TRig rig;
    rig.Dialogs.Expect("error", c.Box);
    EXPECT_FALSE(rig.Messenger.Send(c.To, c.Text)) << c.To << " / " << c.Text;
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty()) << c.To << " / " << c.Text << ": " << rig.Dialogs.Shown.back();
    EXPECT_TRUE(rig.J.Entries.size() == 1 && rig.Port.Written.empty());
    EXPECT_TRUE(rig.NumbersTaken.empty() && rig.Messenger.Outgoing().empty());
  }
}

TEST(AprsMessenger, RetriesAfterDoublingWaitsThenFails) {
  TRig rig;
  rig.Messenger.Send("QQ5BBB", "hi");
  const std::string line = ":QQ5BBB   :hi{1<LF><CR>";
  EXPECT_TRUE(rig.Timer.IsActive() && rig.Timer.SingleShot());
  EXPECT_EQ(rig.Timer.IntervalMs(), 30000);
  // A tick before its time sends nothing and waits for the rest.
  rig.Later(10);
  rig.Timer.Fire();
  EXPECT_EQ(rig.Texts().size(), 1u);
  EXPECT_EQ(rig.Timer.IntervalMs(), 20000);
  rig.Later(20);
  const int waits[] = {60, 120, 240, 480, 30};
  for (int n = 1; n <= 5; ++n) {
    rig.Timer.Fire();
    EXPECT_EQ(rig.Texts().size(), size_t(n + 1));
    EXPECT_EQ(rig.Texts().back(), line);
    EXPECT_EQ(rig.State(), "retry " + std::to_string(n));
    EXPECT_EQ(rig.Timer.IntervalMs(), waits[n - 1] * 1000);
    rig.Later(waits[n - 1]);
  }
  rig.Timer.Fire();
  EXPECT_EQ(rig.State(), "failed");
  EXPECT_EQ(rig.Texts().size(), 6u);
  EXPECT_FALSE(rig.Timer.IsActive());
}

TEST(AprsMessenger, AckOrRejFromTheAddresseeWithTheNumberEndsTheRetries) {
  TRig rig;
  rig.Messenger.LastNumber = 6;
  rig.Messenger.Send("QQ5BBB", "first");   // 7
  rig.Messenger.Send("QQ5BBB", "second");  // 8
  rig.Messenger.Send("QQ5CCC", "third");   // 9
  // None of these answers any of the three.
  rig.Hear("QQ5CCC", ":QQ5AAA-9 :ack7");   // another station
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :ack9");   // a number it was not sent
  rig.Hear("QQ5BBB", ":QQ5AAA   :ack7");   // to the call without our SSID
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :ack");    // no number
  EXPECT_EQ(rig.State(0) + rig.State(1) + rig.State(2), "sentsentsent");
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :ack7");
  EXPECT_EQ(rig.State(0), "acked");
  EXPECT_EQ(rig.State(1), "sent");
  rig.Hear("QQ5CCC", ":qq5aaa-9 :rej9");
  EXPECT_EQ(rig.State(2), "rejected");
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :rej7");  // an answer after the verdict changes nothing
  EXPECT_EQ(rig.State(0), "acked");
  // The one left pending goes on alone; once answered (reply-ack form), the timer stops.
  rig.Later(30);
  rig.Timer.Fire();
  EXPECT_EQ(rig.Texts().back(), ":QQ5BBB   :second{8<LF><CR>");
  EXPECT_EQ(rig.Texts().size(), 4u);
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :ack8}");
  EXPECT_EQ(rig.State(1), "acked");
  EXPECT_FALSE(rig.Timer.IsActive());
}

TEST(AprsMessenger, LateAckTurnsFailedIntoAcked) {
  TRig rig;
  rig.Messenger.Send("QQ5BBB", "hi");
  for (int w : {30, 60, 120, 240, 480, 30}) {
    rig.Later(w);
    rig.Timer.Fire();
  }
  ASSERT_EQ(rig.State(), "failed");
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :rej1");
  EXPECT_EQ(rig.State(), "failed");
  rig.Hear("QQ5BBB", ":QQ5AAA-9 :ack1");
  EXPECT_EQ(rig.State(), "acked");
}

TEST(AprsMessenger, MessagesForUsAreListedOnceAndAckedEveryTime) {
  TRig rig;
  rig.Hear("QQ5BBB-7", ":QQ5AAA-9 :Meet at 8{7");
  rig.Later(30);
  rig.Hear("QQ5BBB-7", ":QQ5AAA-9 :Meet at 8{7");  // the sender did not hear our ack
  ASSERT_EQ(rig.Messenger.Incoming().size(), 1u);
  const auto& in = rig.Messenger.Incoming()[0];
  EXPECT_EQ(in.From, "QQ5BBB-7");
  EXPECT_EQ(in.Text, "Meet at 8");
  EXPECT_EQ(in.Number, "7");
  EXPECT_EQ(in.Copies, 2);
  EXPECT_EQ(rig.J.Entries, [] {
    TLines both = ConverseThen(100, true, ":QQ5BBB-7 :ack7");
    TLines again = both;
    both.insert(both.end(), again.begin(), again.end());
    return both;
  }());

  // Reply-ack form: acked with its own number, and it answers our message 1 as well.
  rig.Messenger.Send("QQ5BBB-7", "ok?");
  rig.Hear("QQ5BBB-7", ":QQ5AAA-9 :yes{MM}1");
  EXPECT_EQ(rig.Texts().back(), ":QQ5BBB-7 :ackMM<LF><CR>");
  EXPECT_EQ(rig.State(), "acked");

  // Without a number: no ack; a copy heard again soon after is the same message, later a new one.
  const size_t sent = rig.Texts().size();
  rig.Hear("QQ5CCC", ":QQ5AAA-9 :no number");
  rig.Later(59);
  rig.Hear("QQ5CCC", ":QQ5AAA-9 :no number");
  EXPECT_EQ(rig.Messenger.Incoming().size(), 3u);
  rig.Later(61);
  rig.Hear("QQ5CCC", ":QQ5AAA-9 :no number");
  EXPECT_EQ(rig.Messenger.Incoming().size(), 4u);
  EXPECT_EQ(rig.Texts().size(), sent);

  // Not for us, from us, or before the own call is known: nothing at all.
  rig.Hear("QQ5CCC", ":QQ5DDD   :for someone else{3");
  rig.Hear("QQ5AAA-9", ":QQ5AAA-9 :to myself{4");
  rig.Hear("QQ5CCC", "!3330.00S/15115.00E- a position");
  rig.Messenger.MyCall.clear();
  rig.Hear("QQ5CCC", ":QQ5AAA-9 :before MYCALL{5");
  EXPECT_EQ(rig.Messenger.Incoming().size(), 4u);
  EXPECT_EQ(rig.Texts().size(), sent);
}

TEST(AprsMessenger, CallSignOfTheMyCallLine) {
  EXPECT_EQ(CallSignOfMyCall("MYCALL   qq5aaa-9"), "QQ5AAA-9");
  EXPECT_EQ(CallSignOfMyCall("mycall QQ5AAA "), "QQ5AAA");
  EXPECT_EQ(CallSignOfMyCall("MYCALL"), "");
  EXPECT_EQ(CallSignOfMyCall("QQ5AAA"), "QQ5AAA");
}

}  // namespace
}  // namespace druv
