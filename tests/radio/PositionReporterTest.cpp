// The own position report: composing, the three send paths byte for byte, the beacon tick and
// the settings summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fakes/TFakeTimer.h"
#include "radio/TPositionReporter.h"
#include "tests/radio/TSendRig.h"

namespace druv {
namespace {

class TReportView : public IPositionReportView {
 public:
  explicit TReportView(TJournal& j) : J(j) {}
  std::string PositionText() const override { return Text; }
  void SetPositionText(const std::string& t) override { Text = t; }
  void ComposeFinished() override { J.Add("composer hidden"); }
  void RepaintMap() override { J.Add("map repainted"); }
  bool PacketOnEnabled() const override { return PacketOn; }
  bool CtrlHeld() const override { return Ctrl; }
  TJournal& J;
  std::string Text = InitialPositionText;
  bool PacketOn = false;  // the TNC was switched on
  bool Ctrl = true;
};

struct TRig : TSendRig {
  TFakeTimer Beacon;
  TReportView View{J};
  TPositionReporter Reporter{Transmitter, Dialogs, Beacon, View};
};

using TLines = std::vector<std::string>;

TEST(PositionReporter, ComposeFormatsDegreesPadsAndKeepsTheComment) {
  struct TCase {
    const char *Lat, *Lon;
    int Symbol;
    const char *Comment, *Expected;
  } cases[] = {
      {"-33.5", "151.25", 0, "Sydney", "!3330.00S/15115.00E- Sydney"},
      {"5.1", "0", 7, "", "!0506.00N/00000.00E> "},
      {"35.5", "-95.75", -1, "no symbol", "!3530.00N/09545.00W- no symbol"},
      {" 32.5677 ", "-97.2658", 21, "trailing  ", "!3234.06N/09715.95Wy trailing  "},
      {"-0.5", "-180", 6, "x", "!0030.00S/18000.00W_ x"},
      // Minutes that round to 60 carry into the degrees: "3260.00N" is no position a receiver takes.
      {"32.99999", "-97.99999", 0, "", "!3300.00N/09800.00W- "},
  };
  for (const auto& c : cases) {
    TRig rig;
    rig.Reporter.Compose({c.Lat, c.Lon, c.Comment}, c.Symbol);
    EXPECT_EQ(rig.View.Text, c.Expected) << c.Lat << " " << c.Lon;
    EXPECT_EQ(rig.J.Entries, TLines{"composer hidden"});
    EXPECT_TRUE(rig.Port.Written.empty());
  }
}

TEST(PositionReporter, ComposeRefusesWhatIsNoPositionOfTheOperator) {
  struct TCase {
    const char *Lat, *Lon, *Box;
    bool Hidden;  // the default check ends by closing the composer; a bad number leaves it open
  } cases[] = {
      {"48,5", "9.1", "'48,5' is not a valid floating point value", false},
      {"48.5", "", "'' is not a valid floating point value", false},
      {"nan", "9.1", "'nan' is not a valid floating point value", false},
      {"48.5", "1e999", "'1e999' is not a valid floating point value", false},
      {"90.5", "9.1", "Latitude must lie between -90 and 90 degrees, not 90.5.", false},
      {"48.5", "-181", "Longitude must lie between -180 and 180 degrees, not -181.", false},
      {FixedDefaultLatitude, "9.1", "You need to use YOUR latitude and longitude, not the software default.", true},
      {"48.5", FixedDefaultLongitude, "You need to use YOUR latitude and longitude, not the software default.", true},
  };
  for (const auto& c : cases) {
    TRig rig;
    rig.View.Text = "!old";
    rig.Dialogs.Expect("error", c.Box);
    rig.Reporter.Compose({c.Lat, c.Lon, "x"}, 0);
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty()) << c.Lat << " " << c.Lon << ": " << rig.Dialogs.Shown.back();
    EXPECT_EQ(rig.View.Text, "!old");
    EXPECT_EQ(rig.J.Entries.back() == "composer hidden", c.Hidden) << c.Lat;
  }
  // The composer's own initial texts are not the refused defaults.
  TRig rig;
  rig.Reporter.Compose(TComposerTextsRec(), -1);
  EXPECT_EQ(rig.View.Text, "!3234.06N/09715.95W- your message");
}

TEST(PositionReporter, EachSendPathWritesItsExactSequence) {
  const std::string report = "!3330.00S/15115.00E- cmd:Sydney CMD:  ";
  {
    TRig rig;
    rig.View.Text = report;
    rig.Reporter.SendWithCtrl();
    // Trimmed first, then the markers go: the blank before the last one stays.
    EXPECT_EQ(rig.J.Entries, ConverseThen(100, true, "!3330.00S/15115.00E- Sydney "));
  }
  {
    TRig rig;
    rig.View.Text = report;
    const std::string question =
        "warning: [Send position report] This action will transmit a packet using the TS2000 and the TNC. Do you "
        "want to continue?";
    rig.Dialogs.Expect("warning", question.substr(9), true);
    rig.Reporter.SendConfirmed();
    TLines expected = {"box " + question};
    for (auto& l : ConverseThen(100, true, "!3330.00S/15115.00E- Sydney    DRUVaprs")) expected.push_back(l);
    EXPECT_EQ(rig.J.Entries, expected);
  }
  {
    TRig rig;
    rig.View.Text = report;
    rig.Reporter.SetBeacon(true);
    EXPECT_TRUE(rig.J.Entries.empty());  // nothing at the moment of ticking
    EXPECT_EQ(rig.Beacon.IntervalMs(), 600000);
    EXPECT_FALSE(rig.Beacon.SingleShot());
    rig.Beacon.Fire();
    TLines expected = ConverseThen(200, false, "!3330.00S/15115.00E- cmd:Sydney CMD:");
    expected.push_back("map repainted");
    EXPECT_EQ(rig.J.Entries, expected);
    rig.Beacon.Fire();
    EXPECT_EQ(rig.J.Entries.size(), 2 * expected.size());
    rig.Reporter.SetBeacon(false);
    EXPECT_FALSE(rig.Reporter.BeaconOn());
    EXPECT_TRUE(rig.Dialogs.Shown.empty());
  }
}

TEST(PositionReporter, SendsRefuseWithoutATncReportOrCtrl) {
  const std::string combined =
      "You must compose a valid message using the Compose Msg button before you can send a position packet AND you "
      "MUST hold down the Ctrl key.";
  const std::string notComposed =
      "You must compose a valid message using the Compose Msg button before you can send a position packet.";
  struct TCase {
    bool PacketOn, Ctrl;
    const char* Text;
    std::string Box;
  } cases[] = {
      {true, true, "!3330.00S/15115.00E- x", "TNC must be turned on before you can send a position packet (Packet ON button)."},
      {false, false, "!3330.00S/15115.00E- x", combined},  // composed, but Ctrl not held
      {false, true, InitialPositionText, combined},
      {false, true, "your own text", combined},
  };
  for (const auto& c : cases) {
    TRig rig;
    rig.View.PacketOn = c.PacketOn;
    rig.View.Ctrl = c.Ctrl;
    rig.View.Text = c.Text;
    rig.Dialogs.Expect("error", c.Box);
    rig.Reporter.SendWithCtrl();
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty()) << c.Text;
    EXPECT_TRUE(rig.Port.Written.empty());
  }
  {
    // "Send> " looks at neither the TNC nor Ctrl; No only repaints the map.
    TRig rig;
    rig.View.PacketOn = true;
    rig.View.Ctrl = false;
    rig.View.Text = "!3330.00S/15115.00E- x";
    const char* q = "This action will transmit a packet using the TS2000 and the TNC. Do you want to continue?";
    rig.Dialogs.Expect("warning", std::string("[Send position report] ") + q, false);
    rig.Reporter.SendConfirmed();
    EXPECT_EQ(rig.J.Entries.back(), "map repainted");
    EXPECT_TRUE(rig.Port.Written.empty());
    rig.View.Text = InitialPositionText;
    rig.Dialogs.Expect("warning", std::string("[Send position report] ") + q, true);
    rig.Dialogs.Expect("error", notComposed);
    rig.Reporter.SendConfirmed();
    EXPECT_TRUE(rig.Port.Written.empty());
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
  }
  {
    // The beacon says so at every tick while the report is not composed, and sends nothing.
    TRig rig;
    rig.Reporter.SetBeacon(true);
    rig.Dialogs.Expect("error", notComposed);
    rig.Dialogs.Expect("error", notComposed);
    rig.Beacon.Fire();
    rig.Beacon.Fire();
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
    EXPECT_TRUE(rig.Port.Written.empty());
    EXPECT_EQ(std::count(rig.J.Entries.begin(), rig.J.Entries.end(), "map repainted"), 2);
  }
}

TEST(PositionReporter, GuardedAndFailingSendsGoOnSilently) {
  {
    // CONV has gone out before the guard refuses the text.
    TRig rig;
    rig.View.Text = "!3330.00S/15115.00E- CONV now";
    rig.Reporter.SendWithCtrl();
    EXPECT_EQ(rig.J.Entries, ConverseThen(100, true, ""));
  }
  {
    // A closed port leaves only the waits, and no box.
    TRig rig;
    rig.Port.SetOpenState(false);
    rig.View.Text = "!3330.00S/15115.00E- x";
    rig.Reporter.SendWithCtrl();
    rig.Reporter.SetBeacon(true);
    rig.Beacon.Fire();
    EXPECT_TRUE(rig.Port.Written.empty());
    EXPECT_EQ(rig.Waits.Waits, (std::vector<int>{100, 200}));
    EXPECT_TRUE(rig.Dialogs.Shown.empty());
  }
}

TEST(PositionReporter, TextHelpers) {
  EXPECT_EQ(RemoveCmdMarkers("cmd:a CMD:b cMd:"), "a b ");
  EXPECT_EQ(RemoveCmdMarkers("ccmd:md:"), "cmd:");  // one pass, as a replace-all does
  EXPECT_TRUE(IsComposed("!3330"));
  EXPECT_FALSE(IsComposed("you"));
  EXPECT_TRUE(IsComposed("You"));
  EXPECT_EQ(SymbolForEntry(-1), '-');
  EXPECT_EQ(SymbolForEntry(22), '-');
  std::string symbols;
  for (int i = 0; i < 22; ++i) symbols += SymbolForEntry(i);
  EXPECT_EQ(symbols, "-#%&./_>hIjkmnprRUuvWy");
  EXPECT_EQ(SettingsSummaryCaption("UNPROTO  APRS", "MYCALL   QQ5AAA", "!3330.00S/15115.00E- x"),
            "Current settings: UNPROTO  APRS      MYCALL   QQ5AAA      !3330.00S/15115.00E- x");
  EXPECT_EQ(SettingsSummaryCaption("U", "M", InitialPositionText),
            "Current settings: U      M      Message/Coordinates NOT Set; set with Postition Report>Compose Message");
}

}  // namespace
}  // namespace druv
