// A line source kept connected: retries that back off, keep-alive, half lines, no line twice,
// sending, over a fake TCP socket and a fake serial port with a fake clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TFakeSteadyClock.h"
#include "platform/fakes/TFakeTcpSocket.h"
#include "radio/Ax25Codec.h"
#include "radio/TAprsIsProtocol.h"
#include "radio/TKissDecoder.h"
#include "radio/TKissProtocol.h"
#include "radio/TSourceConnection.h"
#include "radio/TSerialSourceLink.h"
#include "radio/TTcpSourceLink.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

struct TTcpRig {
  TFakeSteadyClock Clock;
  TFakeTcpSocket* Socket = new TFakeTcpSocket;
  std::unique_ptr<TSourceConnection> Source;
  TLines Lines;
  int StatusChanges = 0;

  explicit TTcpRig(bool aprsIs = true) {
    std::unique_ptr<ISourceProtocol> protocol;
    if (aprsIs)
      protocol = std::make_unique<TAprsIsProtocol>("QQ5ZZZ", -1, "r/33/-97/50");
    else
      protocol = std::make_unique<TKissProtocol>();
    Source = std::make_unique<TSourceConnection>(aprsIs ? "APRS-IS" : "KISS TCP",
                                           std::make_unique<TTcpSourceLink>(std::unique_ptr<ITcpSocket>(Socket),
                                                                            "aprs.example", 14580),
                                           std::move(protocol), Clock);
    Source->OnLine = [this](const std::string& l) { Lines.push_back(l); };
    Source->OnStatusChanged = [this] { ++StatusChanges; };
  }
  // Lets time pass in steps, polling as the window's timer does.
  void Pass(int64_t ms) {
    for (int64_t t = 0; t < ms; t += 250) {
      Clock.Advance(std::min<int64_t>(250, ms - t));
      Source->Poll();
    }
  }
  size_t Attempts() const { return Socket->Connects.size(); }
};

const char* const kLogin = "user QQ5ZZZ pass -1 vers DRUVaprs 0.97 filter r/33/-97/50\r\n";

TEST(SourceConnection, RefusedConnectionsBackOffToAMinute) {
  TTcpRig rig;
  rig.Source->Connect();
  ASSERT_EQ(rig.Attempts(), 1u);
  EXPECT_EQ(rig.Socket->Connects[0], "aprs.example:14580");
  std::vector<int64_t> delays;
  for (int i = 0; i < 9; ++i) {
    rig.Socket->Refuse();
    ASSERT_EQ(rig.Source->State(), ssWaiting);
    const size_t before = rig.Attempts();
    int64_t waited = 0;
    while (rig.Attempts() == before && waited < 120000) {
      rig.Clock.Advance(1);
      rig.Source->Poll();
      ++waited;
    }
    delays.push_back(waited);
  }
  EXPECT_EQ(delays, (std::vector<int64_t>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
}

TEST(SourceConnection, ALinkThatHeldRetriesQuicklyOneThatFlapsBacksOff) {
  TTcpRig rig;
  rig.Source->Connect();
  for (int i = 0; i < 4; ++i) {  // accepted, then dropped at once: 1, 2, 4, 8 s
    rig.Socket->Accept();
    rig.Socket->Drop();
    rig.Pass(rig.Source->RetryInMs());
  }
  rig.Socket->Accept();
  rig.Socket->Drop();
  EXPECT_EQ(rig.Source->RetryInMs(), 16000);
  rig.Pass(16000);
  rig.Socket->Accept();
  rig.Socket->Send("# keep-alive\r\n");
  rig.Pass(59000);
  rig.Socket->Send("# keep-alive\r\n");
  rig.Pass(1000);
  rig.Socket->Drop();
  EXPECT_EQ(rig.Source->RetryInMs(), 1000);
}

TEST(SourceConnection, SilenceCountsAsDroppedForAprsIsOnly) {
  TTcpRig is;
  is.Source->Connect();
  is.Socket->Accept();
  is.Pass(60000);
  is.Socket->Send("# aprsc\r\n");
  is.Pass(119750);
  EXPECT_EQ(is.Source->State(), ssConnected);
  is.Pass(250);
  EXPECT_EQ(is.Source->State(), ssWaiting);
  EXPECT_EQ(is.Socket->Aborts, 1);
  EXPECT_NE(is.Source->StatusText().find("(nothing received for 120 s)"), std::string::npos);
  is.Pass(1000);
  EXPECT_EQ(is.Attempts(), 2u);

  // A KISS modem on a quiet channel sends nothing for hours; that is no fault.
  TTcpRig kiss(false);
  kiss.Source->Connect();
  kiss.Socket->Accept();
  kiss.Pass(30 * 60000);
  EXPECT_EQ(kiss.Source->State(), ssConnected);
  EXPECT_EQ(kiss.Attempts(), 1u);
}

TEST(SourceConnection, ConnectWithoutAnswerIsGivenUp) {
  TTcpRig rig;
  rig.Source->Connect();
  rig.Pass(TSourceConnection::ConnectTimeoutMs - 250);
  EXPECT_EQ(rig.Source->State(), ssConnecting);
  rig.Pass(250);
  EXPECT_EQ(rig.Source->State(), ssWaiting);
  EXPECT_EQ(rig.Socket->Aborts, 1);
  rig.Pass(1000);
  EXPECT_TRUE(rig.Socket->Connecting());
}

TEST(SourceConnection, EveryLineOnceAcrossADropAndTheHalfLineNever) {
  TTcpRig rig;
  rig.Source->Connect();
  rig.Socket->Accept();
  EXPECT_EQ(rig.Socket->Written, kLogin);
  rig.Socket->Send("# aprsc 2.1\r\nA>APRS:>one\r\nB>APRS:>tw");
  rig.Socket->Send("o\r\nC>APRS:>thr");
  rig.Socket->Drop();
  rig.Pass(1000);
  ASSERT_EQ(rig.Attempts(), 2u);
  rig.Socket->Accept();
  EXPECT_EQ(rig.Socket->Written, kLogin);  // logged in again
  rig.Socket->Send("C>APRS:>three\r\n");
  EXPECT_EQ(rig.Lines, (TLines{"A>APRS:>one", "B>APRS:>two", "C>APRS:>three"}));
  EXPECT_EQ(rig.Source->LastServerMessage(), "# aprsc 2.1");
}

TEST(SourceConnection, StatusTextFollowsTheLink) {
  TTcpRig rig;
  EXPECT_EQ(rig.Source->StatusText(), "APRS-IS aprs.example:14580: off");
  rig.Source->Connect();
  EXPECT_EQ(rig.Source->StatusText(), "APRS-IS aprs.example:14580: connecting");
  rig.Socket->Refuse("Connection refused");
  EXPECT_EQ(rig.Source->StatusText(), "APRS-IS aprs.example:14580: reconnecting in 1 s (Connection refused)");
  rig.Pass(1000);
  rig.Socket->Refuse("Connection refused");
  rig.Clock.Advance(100);
  EXPECT_EQ(rig.Source->StatusText(), "APRS-IS aprs.example:14580: reconnecting in 2 s (Connection refused)");
  const int changes = rig.StatusChanges;
  rig.Pass(1000);  // the countdown is announced as it ticks
  EXPECT_GT(rig.StatusChanges, changes);
  EXPECT_EQ(rig.Source->StatusText(), "APRS-IS aprs.example:14580: reconnecting in 1 s (Connection refused)");
  rig.Pass(1000);
  rig.Socket->Accept();
  rig.Socket->Send("# logresp QQ5ZZZ unverified, server T2TEST\r\n");
  EXPECT_EQ(rig.Source->StatusText(),
            "APRS-IS aprs.example:14580: connected - # logresp QQ5ZZZ unverified, server T2TEST");
  rig.Source->Disconnect();
  EXPECT_EQ(rig.Source->State(), ssOff);
  rig.Pass(120000);
  EXPECT_EQ(rig.Attempts(), 3u);  // no retry after Packet OFF
}

TEST(SourceConnection, SendingNeedsTheLink) {
  TTcpRig rig(false);
  const TOwnPacketRec p{"QQ5ZZZ", "APRS", {"WIDE2-1"}, ">hello"};
  EXPECT_EQ(rig.Source->Send(p), srNotConnected);
  rig.Source->Connect();
  EXPECT_EQ(rig.Source->Send(p), srNotConnected);
  rig.Socket->Accept();
  EXPECT_EQ(rig.Source->Send(p), srSent);
  EXPECT_EQ(rig.Socket->Written, KissDataFrame(0, *MonitorLineToAx25("QQ5ZZZ>APRS,WIDE2-1:>hello")));
  // A refusal of the protocol comes first, whatever the link does.
  EXPECT_EQ(rig.Source->Send({"QQ5ZZZ-99", "APRS", {}, ">x"}), srBadAddress);
}

TEST(SourceConnection, KissOverASerialPort) {
  TFakeSteadyClock clock;
  auto* port = new TFakeSerialPort(nullptr, "KissPort");
  port->OpenFails = true;
  TSourceConnection source("KISS serial",
                     std::make_unique<TSerialSourceLink>(std::unique_ptr<ISerialPort>(port), "/dev/ttyUSB1", 9600),
                     std::make_unique<TKissProtocol>(), clock);
  TLines lines;
  source.OnLine = [&](const std::string& l) { lines.push_back(l); };
  source.Connect();
  EXPECT_EQ(source.State(), ssWaiting);
  EXPECT_EQ(source.StatusText(),
            "KISS serial /dev/ttyUSB1 9600 baud: reconnecting in 1 s (Unable to open com port /dev/ttyUSB1.)");
  port->OpenFails = false;
  clock.Advance(1000);
  source.Poll();
  ASSERT_EQ(source.State(), ssConnected);
  EXPECT_EQ(port->Settings().Port, "/dev/ttyUSB1");
  EXPECT_EQ(port->Settings().BaudRate, 9600);
  EXPECT_EQ(port->Settings().FlowControl, fcNone);
  const std::string frame = KissDataFrame(0, *MonitorLineToAx25("QQ5AAA>APRS,QQ5DIG*,WIDE2-1:>serial"));
  port->Receive(frame.substr(0, 9));
  port->Receive(frame.substr(9));
  EXPECT_EQ(lines, TLines{"QQ5AAA>APRS,QQ5DIG*,WIDE2-1:>serial"});
  // A failed write counts as a lost port: closed, and opened again later.
  port->FailWritesAfter = 0;
  EXPECT_EQ(source.Send({"QQ5ZZZ", "APRS", {}, ">x"}), srNotConnected);
  EXPECT_EQ(source.State(), ssWaiting);
  EXPECT_FALSE(port->IsOpen());
  port->FailWritesAfter = -1;
  clock.Advance(source.RetryInMs());
  source.Poll();
  EXPECT_EQ(source.State(), ssConnected);
  EXPECT_EQ(source.Send({"QQ5ZZZ", "APRS", {}, ">x"}), srSent);
  EXPECT_EQ(port->Written, KissDataFrame(0, *MonitorLineToAx25("QQ5ZZZ>APRS:>x")));

  // The adapter is pulled out halfway through a frame: the half frame is dropped, the device is
  // opened again, and the next frame stands alone.
  port->Receive(frame.substr(0, 12));
  port->Lose("Device disappeared from the system.");
  EXPECT_EQ(source.State(), ssWaiting);
  EXPECT_NE(source.StatusText().find("(Device disappeared from the system.)"), std::string::npos);
  clock.Advance(source.RetryInMs());
  source.Poll();
  ASSERT_EQ(source.State(), ssConnected);
  port->Receive(frame.substr(12) + frame);
  EXPECT_EQ(lines, (TLines{"QQ5AAA>APRS,QQ5DIG*,WIDE2-1:>serial", "QQ5AAA>APRS,QQ5DIG*,WIDE2-1:>serial"}));
}

}  // namespace
}  // namespace druv
