// The command sequences, byte for byte, with their waits, purges, boxes and screen changes, for an
// open port, a closed port and a write that fails part way.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Error.h"
#include "common/ProcessFlags.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/TTncLink.h"

namespace druv {
namespace {

class TRecordingView : public ITncLinkView {
 public:
  explicit TRecordingView(TJournal& j) : J(j) {}
  void SetStartLabel(const std::string& t) override { J.Add("label " + t); }
  void HideStartLabelAndRadioPanel() override { J.Add("hide radio panel"); }
  void ShowStartLabelAndRadioPanel() override { J.Add("show radio panel"); }
  void SetBusyCursor(bool busy) override { J.Add(busy ? "cursor busy" : "cursor default"); }
  void SelectTab(int i) override { J.Add("tab " + std::to_string(i)); }
  void SetStatusLine(const std::string& t) override { J.Add("status " + t); }
  void StartWaitingTimer() override { J.Add("timer"); }
  void StopWaitingTimer() override { J.Add("timer stopped"); }
  void SetPacketOnEnabled(bool e) override { J.Add(e ? "packet on enabled" : "packet on disabled"); }
  void StartTicker() override { J.Add("ticker"); }
  void HideSettingsPanel() override { J.Add("hide settings"); }
  void SetStatusPanel(int p, const std::string& t) override { J.Add("panel" + std::to_string(p) + " " + t); }
  void HideHintPanel() override { J.Add("hide hint"); }
  void SaveSettings() override {
    J.Add("save");
    if (SaveFails) throw Error("Cannot write file aprssettings.txt.");
  }
  TJournal& J;
  bool SaveFails = false;
};

// psClosed: the port is closed and the device is not there, so opening it fails too.
enum TPortState { psOpen, psClosed };

struct TRig {
  TJournal J;
  TFakeSerialPort Port{&J};
  TScriptedDialogs Dialogs{&J};
  TRecordingWaits Waits{&J};
  TRecordingView View{J};
  TTncLink Link{Port, Dialogs, Waits, View};
  explicit TRig(TPortState state = psOpen) {
    Port.SetOpenState(state == psOpen);
    Port.OpenFails = state == psClosed;
    // As the main window wires it.
    Port.SetLostHandler([this](const std::string& reason) { Link.PortLost(reason); });
  }
};

using TLines = std::vector<std::string>;

const TLines kSetTncDefaults = {
    "W <03>^C<LF><CR>",
    "purge",
    "W TC 0;<CR><LF>",
    "wait 150",
    "W UNPROTO  APRS VIA APRS,WIDE2-1<CR><LF>",
    "W MYCALL   XXXX<CR><LF>",
    "W FLOW OFF<CR><LF>",
    "W HBAUD 1200<CR><LF>",
    "W PACLEN 250<CR><LF>",
    "W PACTIME AFTER 0<CR><LF>",
    "W XFLOW OFF<CR><LF>",
    "W MON ON<CR><LF>",
    "W MCOM ON<CR><LF>",
    "W MCON ON<CR><LF>",
    "W AUTOLF ON<CR><LF>",
    "W UNPROTO  APRS VIA APRS,WIDE2-1<CR><LF>",
    "save",
    "panel6 MYCALL   XXXX",
    "hide settings",
};

TLines Concat(std::initializer_list<TLines> parts) {
  TLines out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct TActionCase {
  const char* Name;
  std::function<void(TTncLink&)> Run;
  TLines Open;    // the journal with an open port
  TLines Closed;  // the journal with a closed port
};

const std::string kResetText =
    "This resets the TNC..  \r\nSubRadio must be turned on and TNC controlled by SubRadio. \r\nYou will have to "
    "reload the APRS packet commands after this command is executed.\r\n Do you wish to continue?";
const std::string kRestoreText =
    "[Clear APRS TNC Settings] This action resets the internal TNC from APRS compatible setting to the TNCs "
    "default settings. Do you want to continue?";

std::vector<TActionCase> ActionCases() {
  const std::string closedErr = "box error: Com port COM1 is not open.";
  return {
      {"PacketOn", [](TTncLink& l) { l.PacketOn(); },
       Concat({{"W TC 1;", "purge", "label  WAIT ", "W TC 1;", "W SB1;", "purge", "purge", "wait 100",
                "cursor busy", "tab 8", "wait 100", "purge", "W TC 0;", "status waiting on data..", "purge",
                "wait 50"},
               kSetTncDefaults,
               {"timer", "packet on disabled", "ticker"}}),
       {"box error: Unable to open com port COM1."}},
      {"PacketOff", [](TTncLink& l) { l.PacketOff(); }, {"W TC 1;", "W TC 1;", "packet on enabled"},
       {"write failed (closed): TC 1;", closedErr}},
      {"Restart", [](TTncLink& l) { l.Restart(); }, {"W RESTART<LF><CR>"}, {"write failed (closed): RESTART<LF><CR>"}},
      {"TerminalRestart", [](TTncLink& l) { l.TerminalRestart(); }, {"W <03>^C<LF><CR>", "W RESTART<LF><CR>"},
       {"write failed (closed): <03>^C<LF><CR>", "write failed (closed): RESTART<LF><CR>"}},
      {"CommandMode", [](TTncLink& l) { l.CommandMode(); }, {"W <03>^C<LF><CR>"},
       {"write failed (closed): <03>^C<LF><CR>"}},
      {"Converse", [](TTncLink& l) { l.Converse(); }, {"W <03>^C<LF><CR>", "W CONV<LF><CR>", "purge"},
       {"write failed (closed): <03>^C<LF><CR>", "write failed (closed): CONV<LF><CR>"}},
      {"Display", [](TTncLink& l) { l.Display(); },
       {"W <03>^C<LF><CR>", "W DISPLAY<LF><CR>", "wait 200", "W <03>^C<LF><CR>", "W CONV<LF><CR>", "purge"},
       {"write failed (closed): <03>^C<LF><CR>", "write failed (closed): DISPLAY<LF><CR>", "wait 200",
        "write failed (closed): <03>^C<LF><CR>", "write failed (closed): CONV<LF><CR>"}},
      {"SetTncForAprs", [](TTncLink& l) { l.SetTncForAprs(); }, kSetTncDefaults,
       {"write failed (closed): <03>^C<LF><CR>", "purge failed",
        "box error: There was a problem setting the APRS parameters for the internal TNC.", "hide settings"}},
      {"ResetUnproto", [](TTncLink& l) { l.ResetUnproto(); },
       {"W <03>^C<CR><LF><LF><CR>", "W UNPROTO  APRS VIA APRS,WIDE2-1<CR><LF>"},
       {"write failed (closed): <03>^C<CR><LF><LF><CR>",
        "write failed (closed): UNPROTO  APRS VIA APRS,WIDE2-1<CR><LF>"}},
      {"ResetMyCall", [](TTncLink& l) { l.ResetMyCall(); },
       {"W <03>^C<CR><LF><LF><CR>", "W MYCALL   XXXX<CR><LF>", "panel6 MYCALL   XXXX"},
       {"write failed (closed): <03>^C<CR><LF><LF><CR>", "write failed (closed): MYCALL   XXXX<CR><LF>",
        "panel6 MYCALL   XXXX"}},
      {"SubRadioOn", [](TTncLink& l) { l.SubRadioOn(); }, {"W TC 1;", "W SB1;", "purge", "purge", "wait 100"},
       {"write failed (closed): TC 1;", "wait 100"}},
      {"Tune14439", [](TTncLink& l) { l.Tune14439(); },
       {"wait 50", "W TC 1;", "W FC00144390000;", "purge", "W TC 0;", "purge", "wait 100"},
       {"wait 50", "write failed (closed): TC 1;", "wait 100"}},
      {"Tune14488", [](TTncLink& l) { l.Tune14488(); },
       {"wait 50", "W TC 1;", "W FC00144880000;", "W TC 0;", "purge", "wait 100"},
       {"wait 50", "write failed (closed): TC 1;", "wait 100"}},
      {"DigiRepeater", [](TTncLink& l) { l.DigiRepeater(); }, {"box error: Function is not yet available."},
       {"box error: Function is not yet available."}},
      {"WaitingTimerTick", [](TTncLink& l) { l.WaitingTimerTick(); },
       {"status waiting on data ..", "tab 7", "cursor default", "hide radio panel"},
       {"status waiting on data ..", "tab 7", "cursor default", "hide radio panel"}},
  };
}

// Boxes are journalled as they appear; expect exactly those the case lists.
void ExpectBoxes(TScriptedDialogs& d, const TLines& journal) {
  for (const auto& e : journal)
    if (e.rfind("box error: ", 0) == 0) d.Expect("error", e.substr(11));
}

TEST(TncLink, EveryActionWritesItsSequence) {
  for (const auto& c : ActionCases()) {
    for (TPortState state : {psOpen, psClosed}) {
      SCOPED_TRACE(std::string(c.Name) + (state == psOpen ? " open" : " closed"));
      TRig rig(state);
      const TLines& want = state == psOpen ? c.Open : c.Closed;
      ExpectBoxes(rig.Dialogs, want);
      c.Run(rig.Link);
      EXPECT_EQ(rig.J.Entries, want);
      EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
    }
  }
}

TEST(TncLink, PacketOnFlagsAndTicker) {
  TRig rig;
  WorkerStopFlag = 1;
  rig.Link.PacketOn();
  EXPECT_EQ(WorkerStopFlag.load(), 0);
  EXPECT_FALSE(rig.Link.TncActive);  // only the waiting timer sets it
  rig.Link.WaitingTimerTick();
  EXPECT_TRUE(rig.Link.TncActive);
  rig.Link.PacketOff();
  EXPECT_FALSE(rig.Link.TncActive);
}

TEST(TncLink, ReservedCallSignsAreRefusedCaseSensitively) {
  const std::string refusal =
      "Before you begin, you MUST enter YOUR callsign into the TNC MYCALL field.  Preferences>APRS TNC Settings   "
      "then press the SET TNC for APRS button.";
  struct {
    const char* MyCall;
    bool Refused;
  } cases[] = {{"MYCALL   Y0URCALL", true}, {"MYCALL   Y0URCALL-9", true}, {"MYCALL ZZ9ZZZ", true},
               {"MYCALL   y0urcall", false}, {"MYCALL   XXXX", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.MyCall);
    TRig rig;
    rig.Link.Parameters.MyCall = c.MyCall;
    if (c.Refused) rig.Dialogs.Expect("error", refusal);
    WorkerStopFlag = 1;
    rig.Link.PacketOn();
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
    EXPECT_EQ(WorkerStopFlag.load(), 0);  // a ticker is started in both outcomes
    if (c.Refused) {
      EXPECT_EQ(rig.Port.Written, "TC 1;");
      EXPECT_EQ(rig.J.Entries, (TLines{"W TC 1;", "purge", "box error: " + refusal, "ticker"}));
    } else {
      EXPECT_NE(rig.Port.Written.find(std::string(c.MyCall) + "\r\n"), std::string::npos);
    }
  }
}

TEST(TncLink, SetTncWithReservedCallSendsOnlyTheBreakIn) {
  TRig rig;
  rig.Link.Parameters.MyCall = "MYCALL   Y0URCALL";
  rig.Dialogs.Expect("error", "You must change the MYCALL callsign to your own callsign.  Change it and try again.");
  rig.Link.SetTncForAprs();
  EXPECT_EQ(rig.J.Entries, (TLines{"W <03>^C<LF><CR>", "box error: You must change the MYCALL callsign to your own "
                                                       "callsign.  Change it and try again."}));  // panel stays

  TRig mycall;
  mycall.Link.Parameters.MyCall = "MYCALL ZZ9ZZZ-1";
  mycall.Dialogs.Expect("error", "You must change the callsign to your own callsign");
  mycall.Link.ResetMyCall();
  EXPECT_EQ(mycall.Port.Written, "\x03^C\r\n\n\r");
  EXPECT_TRUE(mycall.Dialogs.Unexpected().empty());
}

TEST(TncLink, SetTncFailuresReportOnceAndSkipTheRest) {
  const std::string problem = "There was a problem setting the APRS parameters for the internal TNC.";
  // A write failing part way: the rest of the scope is skipped, the panel is still hidden.
  TRig rig;
  rig.Port.FailWritesAfter = 4;  // break-in, TC 0;, UNPROTO, MYCALL, then FLOW fails
  rig.Dialogs.Expect("error", problem);
  rig.Link.SetTncForAprs();
  EXPECT_EQ(rig.Port.Written, std::string("\x03^C\n\rTC 0;\r\nUNPROTO  APRS VIA APRS,WIDE2-1\r\nMYCALL   XXXX\r\n"));
  EXPECT_EQ(rig.J.Entries.back(), "hide settings");
  EXPECT_TRUE(rig.Dialogs.Unexpected().empty());

  // A settings file that cannot be written is reported the same way; status panel 6 is not set.
  TRig save;
  save.View.SaveFails = true;
  save.Dialogs.Expect("error", problem);
  save.Link.SetTncForAprs();
  EXPECT_EQ(save.J.Entries.end()[-3], "save");
  EXPECT_EQ(save.J.Entries.end()[-2], "box error: " + problem);
  EXPECT_TRUE(save.Dialogs.Unexpected().empty());
}

TEST(TncLink, PacketOnWithWriteFailingMidwayStillArmsTimerAndTicker) {
  TRig rig;
  rig.Port.FailWritesAfter = 3;  // TC 1;, TC 1;, SB1; then everything fails
  rig.Dialogs.Expect("error", "There was a problem setting the APRS parameters for the internal TNC.");
  rig.Link.PacketOn();
  EXPECT_EQ(rig.Port.Written, "TC 1;TC 1;SB1;");
  TLines tail(rig.J.Entries.end() - 4, rig.J.Entries.end());
  EXPECT_EQ(tail, (TLines{"hide settings", "timer", "packet on disabled", "ticker"}));
  EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
}

TEST(TncLink, SubRadioHandsTheLineBackOnlyWhenTheTncIsActive) {
  TRig before;
  before.Link.SubRadioOn();
  EXPECT_EQ(before.Port.Written, "TC 1;SB1;");
  before.Link.Tune14439();
  EXPECT_EQ(before.Port.Written, "TC 1;SB1;TC 1;FC00144390000;TC 0;");

  TRig active;
  active.Link.TncActive = true;
  active.Link.SubRadioOn();
  EXPECT_EQ(active.Port.Written, "TC 1;SB1;TC 0;");
}

TEST(TncLink, ConfirmationsGuardResetAndRestoreDefaults) {
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    TRig reset;
    reset.Dialogs.Expect("warning", kResetText, yes);
    reset.Link.Reset();
    EXPECT_TRUE(reset.Dialogs.Unexpected().empty());
    if (!yes) {
      EXPECT_EQ(reset.Port.Written, "");
    } else {
      EXPECT_EQ(reset.J.Entries,
                (TLines{"box warning: " + kResetText, "W AI0;", "wait 20", "purge", "W TC 0;", "W TC 0;",
                        "wait 1000", "W <03>^C<LF><CR>", "W <03>^C<LF><CR>", "W RESET<LF><CR>", "W RESET<LF><CR>",
                        "wait 500", "W TC 1;", "W TC 1;", "wait 30", "W TC 1;", "wait 30", "W AI2;", "wait 30"}));
    }

    TRig restore;
    restore.Dialogs.Expect("warning", kRestoreText, yes);
    restore.Link.RestoreDefaults();
    EXPECT_TRUE(restore.Dialogs.Unexpected().empty());
    EXPECT_EQ(restore.Port.Written, yes ? std::string("\x03^C\r\n\n\rBEACON EVERY 0 \r\nPACLEN 128 \r\nXFLOW ON \r\n"
                                                      "MON ON \r\nMCON OFF \r\nMCOM OFF \r\n")
                                        : std::string());
    if (yes) {
      EXPECT_EQ(restore.Waits.Waits, std::vector<int>{800});
    }
  }
}

TEST(TncLink, ResetSequenceSurvivesAClosedPort) {
  TRig rig(psClosed);
  rig.Dialogs.Expect("warning", kResetText, true);
  rig.Link.Reset();
  EXPECT_EQ(rig.Waits.Waits, (std::vector<int>{1000, 500}));  // the scopes fail at their first write
  EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
}

TEST(TncLink, AdvancedResetButtons) {
  TRig rig;
  for (int i = 0; i < 5; ++i) rig.Dialogs.Expect("error", "Not available yet.");
  for (auto w : {arFlow, arHBaud, arPacLen, arPacTime, arXFlow, arMCom, arMCon})
    rig.Link.ResetAdvanced(w);
  EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
  EXPECT_TRUE(rig.Dialogs.AllExpectedShown());
  EXPECT_EQ(rig.Port.Written, "");
}

TEST(TncLink, PortSetupWritesPanelFiveWhateverTheAnswer) {
  for (bool confirm : {true, false}) {
    TRig rig(psClosed);
    rig.Port.OpenFails = false;  // the device is there
    rig.Port.SetupConfirms = confirm;
    rig.Link.PortSetup();
    EXPECT_EQ(rig.J.Entries, (TLines{"setup dialog", "panel5  COM1 57600 ", "hide hint"}));
    EXPECT_EQ(rig.Port.IsOpen(), confirm);
  }
  TRig failing(psClosed);
  failing.Port.OpenFails = true;
  failing.Dialogs.Expect("error", "Unable to open com port COM1.");
  failing.Link.PortSetup();
  EXPECT_TRUE(failing.Dialogs.Unexpected().empty());
  EXPECT_EQ(failing.J.Entries.end()[-2], "panel5  COM1 57600 ");
}

const std::string kLostText =
    "The radio port COM1 was lost: Device disappeared from the system.\r\n"
    "Reception has stopped; the packets received so far are kept.\r\n"
    "Check the cable and the power of the radio, then choose the port with \"Set Port\" (Preferences > Set TS200 "
    "Radio Com Port) and press \"Packet ON\".";

// The station after a loss: back to its state before Packet ON, with the way back in one box.
const TLines kLostJournal = {"port lost", "timer stopped", "cursor default", "label Use Packet ON button to start",
                             "show radio panel", "packet on enabled", "panel5  COM1 lost "};

TEST(TncLink, LostPortIsToldOnceAndPacketOnOrSetPortBringsItBack) {
  TRig rig;
  rig.Link.PacketOn();
  rig.Link.WaitingTimerTick();
  ASSERT_TRUE(rig.Link.TncActive);
  rig.J.Clear();

  rig.Dialogs.Expect("error", kLostText);
  rig.Port.Lose("Device disappeared from the system.");
  EXPECT_EQ(rig.J.Entries, Concat({kLostJournal, {"box error: " + kLostText}}));
  EXPECT_FALSE(rig.Link.TncActive);
  // Reported again while it stays lost: the screen is set again, but no second box.
  rig.J.Clear();
  rig.Port.Lose("Input/output error");
  EXPECT_EQ(rig.J.Entries, kLostJournal);
  // Cancelling Set Port leaves it lost.
  rig.Port.SetupConfirms = false;
  rig.J.Clear();
  rig.Link.PortSetup();
  EXPECT_EQ(rig.J.Entries, (TLines{"setup dialog", "panel5  COM1 lost ", "hide hint"}));

  // Packet ON opens the port again with its settings and runs the whole sequence.
  rig.J.Clear();
  rig.Link.PacketOn();
  EXPECT_TRUE(rig.Port.IsOpen());
  ASSERT_GE(rig.J.Entries.size(), size_t(2));
  EXPECT_EQ(rig.J.Entries[0], "panel5  COM1 57600 ");
  EXPECT_EQ(rig.J.Entries[1], "W TC 1;");
  EXPECT_EQ(rig.J.Entries.back(), "ticker");

  // A new loss after the recovery is a new box; Set Port brings the port back as well.
  rig.Dialogs.Expect("error", kLostText);
  rig.Port.Lose("Device disappeared from the system");
  rig.Port.SetupConfirms = true;
  rig.J.Clear();
  rig.Link.PortSetup();
  EXPECT_TRUE(rig.Port.IsOpen());
  EXPECT_EQ(rig.J.Entries, (TLines{"setup dialog", "panel5  COM1 57600 ", "hide hint"}));
  EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
  EXPECT_TRUE(rig.Dialogs.AllExpectedShown());
}

TEST(TncLink, PacketOnOpensAClosedPortOrShowsWhyItCannot) {
  TRig back(psClosed);
  back.Port.OpenFails = false;
  back.Link.PacketOn();
  EXPECT_EQ(back.Port.Opens, 1);
  EXPECT_EQ(back.Port.Written.rfind("TC 1;TC 1;SB1;", 0), size_t(0));
  EXPECT_TRUE(back.Dialogs.Unexpected().empty());

  TRig gone(psClosed);
  gone.Dialogs.Expect("error", "Unable to open com port COM1.");
  gone.Link.PacketOn();
  EXPECT_EQ(gone.Port.Written, "");
  EXPECT_EQ(gone.J.Entries, (TLines{"box error: Unable to open com port COM1."}));  // no ticker either
  EXPECT_TRUE(gone.Dialogs.Unexpected().empty());
}

// A write that finds the device gone: the action's own error boxes stay away, the loss box that
// follows is the only one.
TEST(TncLink, LossInTheMiddleOfAnActionGivesOnlyTheLossBox) {
  struct {
    const char* Name;
    int LoseAfterWrites;
    std::function<void(TTncLink&)> Run;
  } cases[] = {
      {"PacketOn in SET TNC", 5, [](TTncLink& l) { l.PacketOn(); }},
      {"PacketOn first write", 0, [](TTncLink& l) { l.PacketOn(); }},
      {"PacketOff", 1, [](TTncLink& l) { l.PacketOff(); }},
      {"SetTncForAprs", 2, [](TTncLink& l) { l.SetTncForAprs(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TRig rig;
    rig.Port.LoseAfterWrites = c.LoseAfterWrites;
    c.Run(rig.Link);
    EXPECT_TRUE(rig.Dialogs.Shown.empty());
    rig.J.Clear();
    const std::string text = TTncLink::PortLostText("COM1", "Input/output error");
    rig.Dialogs.Expect("error", text);
    rig.Port.DeliverPendingLoss();
    EXPECT_EQ(rig.Dialogs.Shown, (std::vector<std::string>{"error: " + text}));
    EXPECT_EQ(rig.J.Entries.end()[-2], "panel5  COM1 lost ");
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
  }
}

TEST(TncLink, GuardedSendRefusesSwitchingTextsAndControlBytes) {
  struct {
    std::string Text;
    bool Sent;
  } cases[] = {
      {"!3300.00N/09700.00W- hello", true},
      {"\xE9t\xE9 \xB0", true},  // code page 1252 letters are fine
      {"set TC 0; now", false},
      {"CONV", false},
      {"conv tc 1", true},  // the test is case-sensitive
      {"abc\x03" "def", false},
      {"abc\rMYCALL X", false},
      {"abc\ndef", false},
      {"tab\there", false},
      {std::string("nul\0x", 5), false},
      {"del\x7F", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TRig rig;
    EXPECT_EQ(rig.Link.GuardedSend(c.Text), c.Sent);
    EXPECT_EQ(rig.Port.Written, c.Sent ? c.Text + "\n\r" : "");
  }
}

TEST(TncLink, ExitWorksWithAClosedPort) {
  for (TPortState state : {psOpen, psClosed}) {
    SCOPED_TRACE(state == psOpen ? "open" : "closed");
    TRig rig(state);
    WorkerStopFlag = 0;
    bool closed = false;
    rig.Link.ExitSequence([&] { closed = true; });
    EXPECT_TRUE(closed);
    EXPECT_EQ(WorkerStopFlag.load(), 1);
    EXPECT_TRUE(rig.Dialogs.Unexpected().empty());
    EXPECT_EQ(rig.J.Entries.front(), "cursor busy");
    EXPECT_EQ(rig.J.Entries.back(), "cursor default");
    EXPECT_EQ(rig.Port.Written, state == psOpen ? "TC 1;TC 1;" : "");
  }
  // Any other error still ends the sequence, shown, with the cursor restored.
  TRig failing;
  failing.Port.FailWritesAfter = 0;
  failing.Dialogs.Expect("error", "Write error on COM1.");
  bool closed = false;
  failing.Link.ExitSequence([&] { closed = true; });
  EXPECT_FALSE(closed);
  EXPECT_TRUE(failing.Dialogs.Unexpected().empty());
  EXPECT_EQ(failing.J.Entries.back(), "cursor default");
}

TEST(TncLink, ClosingHandsTheLineBackAndKeepsTheWindowOpenOnASaveError) {
  TRig rig;
  rig.Link.TncActive = true;
  EXPECT_TRUE(rig.Link.CloseWindow([&] { rig.J.Add("save files"); }));
  EXPECT_EQ(rig.J.Entries, (TLines{"W TC 1;", "W TC 1;", "packet on enabled", "save files", "W TC 1;", "W TC 1;",
                                   "packet on enabled"}));
  EXPECT_FALSE(rig.Link.TncActive);

  TRig closedPort(psClosed);
  EXPECT_TRUE(closedPort.Link.CloseWindow({}));
  EXPECT_TRUE(closedPort.Dialogs.Unexpected().empty());

  TRig failing;
  failing.Dialogs.Expect("error", "disk full");
  EXPECT_FALSE(failing.Link.CloseWindow([] { throw Error("disk full"); }));
  EXPECT_EQ(failing.Port.Written, "TC 1;TC 1;");
  EXPECT_TRUE(failing.Dialogs.Unexpected().empty());
}

}  // namespace
}  // namespace druv
