// The source in use: Packet ON and OFF without the radio, lines filed where the TS-2000's go,
// own packets sent through it, settings changed while it runs, and sources.ini's keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ProcessFlags.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TFakeSteadyClock.h"
#include "platform/fakes/TFakeTcpSocket.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/Ax25Codec.h"
#include "radio/TKissDecoder.h"
#include "radio/TStationSource.h"

namespace druv {
namespace {

using TLines = std::vector<std::string>;

// The screen changes a source makes; everything else of the view belongs to the TS-2000.
class TSourceView : public ITncLinkView {
 public:
  TLines Calls;
  void SetStatusLine(const std::string& t) override { Calls.push_back("status " + t); }
  void SetPacketOnEnabled(bool e) override { Calls.push_back(e ? "packet on enabled" : "packet on disabled"); }
  void StartTicker() override { Calls.push_back("ticker"); }
  void SetStartLabel(const std::string&) override { Calls.push_back("TS-2000 only"); }
  void HideStartLabelAndRadioPanel() override { Calls.push_back("TS-2000 only"); }
  void ShowStartLabelAndRadioPanel() override { Calls.push_back("TS-2000 only"); }
  void StopWaitingTimer() override { Calls.push_back("TS-2000 only"); }
  void SetBusyCursor(bool) override { Calls.push_back("TS-2000 only"); }
  void SelectTab(int) override { Calls.push_back("TS-2000 only"); }
  void StartWaitingTimer() override { Calls.push_back("TS-2000 only"); }
  void HideSettingsPanel() override { Calls.push_back("TS-2000 only"); }
  void SetStatusPanel(int, const std::string&) override { Calls.push_back("TS-2000 only"); }
  void HideHintPanel() override { Calls.push_back("TS-2000 only"); }
  void SaveSettings() override { Calls.push_back("TS-2000 only"); }
};

struct TRig {
  TReceivedLines Lines;
  TSourceView View;
  TScriptedDialogs Dialogs;
  TFakeSteadyClock Clock;
  std::vector<TFakeTcpSocket*> Sockets;  // every socket made, newest last
  TFakeSerialPort* Serial = nullptr;
  TStationSource Station{Lines, View, Dialogs, Clock,
                         {[this] {
                            auto s = std::make_unique<TFakeTcpSocket>();
                            Sockets.push_back(s.get());
                            return std::unique_ptr<ITcpSocket>(std::move(s));
                          },
                          [this] {
                            auto p = std::make_unique<TFakeSerialPort>(nullptr, "KissPort");
                            Serial = p.get();
                            return std::unique_ptr<ISerialPort>(std::move(p));
                          }}};
  TTncParametersRec Tnc;
  std::string Status;

  explicit TRig(TSourceSettingsRec s) {
    Tnc.MyCall = "MYCALL   QQ5ZZZ-9";
    Tnc.Unproto = "UNPROTO  APDR16 VIA WIDE1-1,WIDE2-1";
    Station.OnStatusChanged = [this](const std::string& t) { Status = t; };
    Station.Apply(s, Tnc);
  }
  TFakeTcpSocket& Socket() { return *Sockets.back(); }
  TLines Drained() {
    TLines out;
    Lines.Drain([&](const std::string& l) { out.push_back(l); });
    return out;
  }
};

TSourceSettingsRec Kind(TSourceKind k) {
  TSourceSettingsRec s;
  s.Kind = k;
  return s;
}

TEST(StationSource, PacketOnConnectsWithoutTheRadioAndLinesGoWhereTheTs2000sGo) {
  TRig rig(Kind(skKissTcp));
  EXPECT_EQ(rig.Status, "KISS TCP: off (Packet ON connects)");
  WorkerStopFlag.store(1);
  rig.Station.PacketOn(rig.Tnc);
  EXPECT_EQ(rig.View.Calls, (TLines{"status waiting on data..", "packet on disabled", "ticker"}));
  EXPECT_EQ(WorkerStopFlag.load(), 0);
  ASSERT_EQ(rig.Sockets.size(), 1u);
  EXPECT_EQ(rig.Socket().Connects, TLines{"127.0.0.1:8001"});
  EXPECT_EQ(rig.Status, "KISS TCP 127.0.0.1:8001: connecting");
  rig.Socket().Accept();
  EXPECT_EQ(rig.Socket().Written, "");  // KISS has no login

  // Two frames within one tick, a repeat of the first, and a trailing CR as trackers send it.
  const std::string a = "QQ5AAA>APRS,WIDE2-1:!3300.00N/09700.00Wk", b = "QQ5BBB-9>T2TP5S,QQ5DDD-3*,WIDE2-1:`|L}l\"Pk/]";
  rig.Socket().Send(KissDataFrame(0, *MonitorLineToAx25(a + "\r")) + KissDataFrame(0, *MonitorLineToAx25(b)) +
                    KissDataFrame(0, *MonitorLineToAx25(a)));
  EXPECT_EQ(rig.Lines.RawPackets(), (TLines{a, b, a}));
  EXPECT_EQ(rig.Lines.StatusLine(), a);
  EXPECT_EQ(rig.Drained(), (TLines{a, b, a}));
  EXPECT_EQ(rig.Status, "KISS TCP 127.0.0.1:8001: connected");

  rig.View.Calls.clear();
  rig.Station.PacketOff();
  EXPECT_EQ(rig.View.Calls, TLines{"packet on enabled"});
  EXPECT_FALSE(rig.Station.Running());
  EXPECT_EQ(rig.Status, "KISS TCP: off (Packet ON connects)");
}

TEST(StationSource, AprsIsLinesAndServerComments) {
  TSourceSettingsRec s = Kind(skAprsIs);
  s.Filter = "r/33.5/-97.25/100";
  TRig rig(s);
  rig.Station.PacketOn(rig.Tnc);
  EXPECT_EQ(rig.Socket().Connects, TLines{"rotate.aprs2.net:14580"});
  rig.Socket().Accept();
  // No call of its own: the call of MYCALL logs in.
  EXPECT_EQ(rig.Socket().Written, "user QQ5ZZZ-9 pass -1 vers DRUVaprs 0.97 filter r/33.5/-97.25/100\r\n");
  rig.Socket().Send("# logresp QQ5ZZZ-9 unverified, server T2TEST\r\nQQ5AAA>APRS,TCPIP*,qAC,T2TEST:>hi\r\n");
  EXPECT_EQ(rig.Drained(), TLines{"QQ5AAA>APRS,TCPIP*,qAC,T2TEST:>hi"});
  EXPECT_EQ(rig.Status, "APRS-IS rotate.aprs2.net:14580: connected - # logresp QQ5ZZZ-9 unverified, server T2TEST");
}

TEST(StationSource, OwnPacketsThroughTheSourceInUse) {
  {
    TRig kiss(Kind(skKissTcp));
    kiss.Station.PacketOn(kiss.Tnc);
    kiss.Dialogs.Expect("error",
                        "Nothing was sent: the station data source is not connected (KISS TCP 127.0.0.1:8001: "
                        "connecting).");
    EXPECT_EQ(kiss.Station.Send(">first", kiss.Tnc), srNotConnected);
    EXPECT_EQ(kiss.Station.Send(">second", kiss.Tnc), srNotConnected);  // told once
    kiss.Socket().Accept();
    EXPECT_EQ(kiss.Station.Send("!3300.00N/09700.00W- DRUVaprs", kiss.Tnc), srSent);
    EXPECT_EQ(kiss.Socket().Written,
              KissDataFrame(0, *MonitorLineToAx25("QQ5ZZZ-9>APDR16,WIDE1-1,WIDE2-1:!3300.00N/09700.00W- DRUVaprs")));
    // A call KISS cannot carry, and a call that only ships as an example.
    TTncParametersRec bad = kiss.Tnc;
    bad.MyCall = "MYCALL   QQ5ZZZ-99";
    kiss.Dialogs.Expect("error",
                        "Nothing was sent: \"MYCALL   QQ5ZZZ-99\" or the UNPROTO destination and path is not a call "
                        "sign this source can send from (up to six letters and digits, SSID 0 to 15, at most eight "
                        "digipeaters).");
    EXPECT_EQ(kiss.Station.Send(">x", bad), srBadAddress);
    bad.MyCall = "MYCALL   Y0URCALL";
    EXPECT_EQ(kiss.Station.Send(">x", bad), srBadAddress);
    EXPECT_TRUE(kiss.Dialogs.Unexpected().empty()) << kiss.Dialogs.Unexpected()[0];
    EXPECT_TRUE(kiss.Dialogs.AllExpectedShown());
  }
  {
    TRig is(Kind(skAprsIs));
    is.Station.PacketOn(is.Tnc);
    is.Socket().Accept();
    is.Dialogs.Expect("information",
                      "APRS-IS is receive only without a passcode: nothing was sent. Enter the passcode of your call "
                      "in Preferences > Station Data Source...");
    EXPECT_EQ(is.Station.Send(">beacon", is.Tnc), srReceiveOnly);
    EXPECT_EQ(is.Station.Send(">beacon", is.Tnc), srReceiveOnly);  // told once
    EXPECT_TRUE(is.Dialogs.Unexpected().empty());
    const std::string login = is.Socket().Written;
    TSourceSettingsRec withPass = Kind(skAprsIs);
    withPass.Passcode = 19891;
    is.View.Calls.clear();
    is.Station.Apply(withPass, is.Tnc);  // running: reconnects with the new login, on the same ticker
    EXPECT_TRUE(is.View.Calls.empty());
    is.Socket().Accept();
    EXPECT_EQ(is.Socket().Written, "user QQ5ZZZ-9 pass 19891 vers DRUVaprs 0.97\r\n");
    EXPECT_EQ(is.Station.Send(":QQ5BBB   :hello{1", is.Tnc), srSent);
    EXPECT_EQ(is.Socket().Written,
              "user QQ5ZZZ-9 pass 19891 vers DRUVaprs 0.97\r\nQQ5ZZZ-9>APDR16,TCPIP*::QQ5BBB   :hello{1\r\n");
  }
}

TEST(StationSource, ChangingToTheTs2000StopsTheSourceAndOffersPacketOn) {
  TRig rig(Kind(skKissSerial));
  rig.Station.PacketOn(rig.Tnc);
  ASSERT_NE(rig.Serial, nullptr);
  EXPECT_TRUE(rig.Serial->IsOpen());
  EXPECT_EQ(rig.Serial->Settings().Port, "/dev/ttyUSB0");
  rig.View.Calls.clear();
  rig.Station.Apply(Kind(skTs2000), rig.Tnc);
  EXPECT_FALSE(rig.Station.Running());
  EXPECT_EQ(rig.View.Calls, TLines{"packet on enabled"});
  EXPECT_EQ(rig.Status, "");
  rig.Station.PacketOn(rig.Tnc);  // the TS-2000's Packet ON is TTncLink's
  EXPECT_FALSE(rig.Station.Running());
}

TEST(SourceSettings, IniKeysRoundTripAndBadValuesAreNamed) {
  TSourceSettingsRec s;
  s.Kind = skAprsIs;
  s.Host = "noam.aprs2.net";
  s.Port = 10152;
  s.Device = "/dev/ttyACM0";
  s.BaudRate = 19200;
  s.Call = "QQ5ZZZ-1";
  s.Passcode = 19891;
  s.Filter = "r/33.5/-97.25/100 b/QQ5*";
  const TIniSection ini = SourceSettingsToIni(s);
  EXPECT_EQ(ini, (TIniSection{{"Kind", "aprs-is"}, {"Host", "noam.aprs2.net"}, {"Port", "10152"},
                              {"Device", "/dev/ttyACM0"}, {"BaudRate", "19200"}, {"Call", "QQ5ZZZ-1"},
                              {"Passcode", "19891"}, {"Filter", "r/33.5/-97.25/100 b/QQ5*"}}));
  std::vector<std::string> problems;
  EXPECT_EQ(SourceSettingsFromIni(ini, &problems), s);
  EXPECT_TRUE(problems.empty());

  // An empty file is the TS-2000; kinds name their usual host and port.
  EXPECT_EQ(SourceSettingsFromIni({}), TSourceSettingsRec{});
  EXPECT_EQ(HostOf(Kind(skKissTcp)) + ":" + std::to_string(PortOf(Kind(skKissTcp))), "127.0.0.1:8001");
  EXPECT_EQ(HostOf(Kind(skAprsIs)) + ":" + std::to_string(PortOf(Kind(skAprsIs))), "rotate.aprs2.net:14580");

  const TSourceSettingsRec bad =
      SourceSettingsFromIni({{"Kind", "kiss"}, {"Port", "80000"}, {"Passcode", "12x"}, {"BaudRate", "9600"}}, &problems);
  EXPECT_EQ(bad.Kind, skTs2000);
  EXPECT_EQ(bad.Port, 0);
  EXPECT_EQ(bad.Passcode, -1);
  EXPECT_EQ(bad.BaudRate, 9600);
  EXPECT_EQ(problems, (std::vector<std::string>{"Kind=kiss cannot be used; the default is kept.",
                                                "Port=80000 cannot be used; the default is kept.",
                                                "Passcode=12x cannot be used; the default is kept."}));
}

}  // namespace
}  // namespace druv
