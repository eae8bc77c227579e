#include "radio/TTncLink.h"

#include "common/Error.h"
#include "common/Numbers.h"
#include "common/ProcessFlags.h"
#include "platform/IDialogs.h"
#include "platform/ISerialPort.h"
#include "platform/IWaits.h"
#include "radio/TncCommands.h"

namespace druv {

namespace {
const std::string kTc1 = "TC 1;";
const std::string kTc0 = "TC 0;";
}  // namespace

TTncLink::TTncLink(ISerialPort& port, IDialogs& dialogs, IWaits& waits, ITncLinkView& view)
    : Port_(port), Dialogs_(dialogs), Waits_(waits), View_(view) {}

template <class F>
void TTncLink::Scope(F&& fn) {
  try {
    fn();
  } catch (const Error&) {
  }
}

template <class F>
void TTncLink::Action(F&& fn) {
  OpenAtActionStart_ = Port_.IsOpen();
  try {
    fn();
  } catch (const Error& e) {
    if (!LostDuringAction()) Dialogs_.Error(e.what());
  }
}

bool TTncLink::LostDuringAction() const { return OpenAtActionStart_ && !Port_.IsOpen(); }

void TTncLink::Write(const std::string& bytes) { Port_.WriteStr(bytes); }

void TTncLink::PacketOn() {
  Action([&] { PacketOnSteps(); });
}

void TTncLink::PacketOnSteps() {
  if (!Port_.IsOpen()) {
    // A port that was lost (or would not open at start) is opened again with its settings, so a
    // radio that is back needs no restart.
    Port_.Open();
    OpenAtActionStart_ = true;
    LossShown_ = false;
    ShowPortPanel();
  }
  Write(kTc1);
  Port_.Purge();
  if (HasReservedCallSign(Parameters.MyCall)) {
    Dialogs_.Error(
        "Before you begin, you MUST enter YOUR callsign into the TNC MYCALL field.  "
        "Preferences>APRS TNC Settings   then press the SET TNC for APRS button.");
  } else {
    View_.SetStartLabel(" WAIT ");
    SubRadioOnSteps();
    View_.SetBusyCursor(true);
    View_.SelectTab(TabTerminal);
    Waits_.Wait(100);
    Scope([&] {
      Port_.Purge();
      Write(kTc0);
    });
    View_.SetStatusLine("waiting on data..");
    Scope([&] { Port_.Purge(); });
    Waits_.Wait(50);
    Scope([&] {
      SetTncForAprsSteps();
      View_.StartWaitingTimer();
      View_.SetPacketOnEnabled(false);
    });
  }
  // Both outcomes start a ticker; clearing the flag after the start lets it run.
  View_.StartTicker();
  WorkerStopFlag.store(0, std::memory_order_relaxed);
}

void TTncLink::PacketOff() {
  Action([&] { PacketOffSteps(false); });
}

void TTncLink::PacketOffSteps(bool skipWritesWhenClosed) {
  if (!(skipWritesWhenClosed && !Port_.IsOpen())) {
    Write(kTc1);
    Write(kTc1);
  }
  TncActive = false;
  View_.SetPacketOnEnabled(true);
}

void TTncLink::Restart() {
  Action([&] { Scope([&] { Write("RESTART" + std::string(LfCr)); }); });
}

void TTncLink::TerminalRestart() {
  Action([&] {
    Scope([&] { Write(std::string(ShortBreakIn)); });
    Scope([&] { Write("RESTART" + std::string(LfCr)); });
  });
}

void TTncLink::CommandMode() {
  Action([&] { Scope([&] { Write(std::string(ShortBreakIn)); }); });
}

void TTncLink::Converse() {
  Action([&] {
    Scope([&] { Write(std::string(ShortBreakIn)); });
    Scope([&] {
      Write("CONV" + std::string(LfCr));
      Port_.Purge();
    });
  });
}

void TTncLink::Display() {
  Action([&] {
    Scope([&] { Write(std::string(ShortBreakIn)); });
    Scope([&] { Write("DISPLAY" + std::string(LfCr)); });
    Waits_.Wait(200);
  });
  Converse();
}

void TTncLink::Reset() {
  Action([&] {
    if (!Dialogs_.WarningYesNo("",
                               "This resets the TNC..  \r\n"
                               "SubRadio must be turned on and TNC controlled by SubRadio. \r\n"
                               "You will have to reload the APRS packet commands after this command is "
                               "executed.\r\n"
                               " Do you wish to continue?"))
      return;
    Scope([&] {
      Write("AI0;");
      Waits_.Wait(20);
      Port_.Purge();
      Write(kTc0);
      Write(kTc0);
    });
    Waits_.Wait(1000);
    Scope([&] { Write(std::string(ShortBreakIn)); });  // cmd:
    Scope([&] { Write(std::string(ShortBreakIn)); });
    Scope([&] {
      Write("RESET" + std::string(LfCr));
      Write("RESET" + std::string(LfCr));
    });
    Waits_.Wait(500);
    Scope([&] {
      Write(kTc1);
      Write(kTc1);
      Waits_.Wait(30);
      Write(kTc1);
      Waits_.Wait(30);
      Write("AI2;");
      Waits_.Wait(30);
    });
  });
}

void TTncLink::SetTncForAprs() {
  Action([&] { SetTncForAprsSteps(); });
}

void TTncLink::SetTncForAprsSteps() {
  Scope([&] { Write(std::string(ShortBreakIn)); });
  if (HasReservedCallSign(Parameters.MyCall)) {
    Dialogs_.Error("You must change the MYCALL callsign to your own callsign.  Change it and try again.");
    return;
  }
  try {
    const auto& p = Parameters;
    const std::string crlf(CrLf);
    Port_.Purge();
    Write(kTc0 + crlf);
    Waits_.Wait(150);
    for (const std::string* line : {&p.Unproto, &p.MyCall, &p.Flow, &p.HBaud, &p.PacLen, &p.PacTime, &p.XFlow,
                                    &p.Mon, &p.MCom, &p.MCon})
      Write(*line + crlf);
    Write("AUTOLF ON" + crlf);
    Write(p.Unproto + crlf);
    View_.SaveSettings();
    View_.SetStatusPanel(6, p.MyCall);
  } catch (const Error&) {
    if (!LostDuringAction()) Dialogs_.Error("There was a problem setting the APRS parameters for the internal TNC.");
  }
  View_.HideSettingsPanel();
}

void TTncLink::ResetUnproto() {
  Action([&] {
    Scope([&] { Write(std::string(LongBreakIn)); });
    Scope([&] { Write(Parameters.Unproto + std::string(CrLf)); });
  });
}

void TTncLink::ResetMyCall() {
  Action([&] {
    Scope([&] { Write(std::string(LongBreakIn)); });
    if (HasReservedCallSign(Parameters.MyCall)) {
      Dialogs_.Error("You must change the callsign to your own callsign");
      return;
    }
    Scope([&] { Write(Parameters.MyCall + std::string(CrLf)); });
    View_.SetStatusPanel(6, Parameters.MyCall);
  });
}

void TTncLink::ResetAdvanced(TAdvancedReset which) {
  // MCOM and MCON have nothing to restore on their own; the others are not built into the TNC menu.
  if (which == arMCom || which == arMCon) return;
  Dialogs_.Error("Not available yet.");
}

void TTncLink::RestoreDefaults() {
  Action([&] {
    if (!Dialogs_.WarningYesNo("Clear APRS TNC Settings",
                               "This action resets the internal TNC from APRS compatible setting to the TNCs "
                               "default settings. Do you want to continue?"))
      return;
    Scope([&] { Write(std::string(LongBreakIn)); });
    Waits_.Wait(800);
    Scope([&] {
      for (const char* line : {"BEACON EVERY 0 ", "PACLEN 128 ", "XFLOW ON ", "MON ON ", "MCON OFF ", "MCOM OFF "})
        Write(line + std::string(CrLf));
    });
  });
}

void TTncLink::SubRadioOn() {
  Action([&] { SubRadioOnSteps(); });
}

void TTncLink::SubRadioOnSteps() {
  Scope([&] {
    Write(kTc1);
    Write("SB1;");
    Port_.Purge();
    if (TncActive) Write(kTc0);
    Port_.Purge();
  });
  Waits_.Wait(100);
}

void TTncLink::Tune14439() {
  Action([&] {
    Waits_.Wait(50);
    Scope([&] {
      Write(kTc1);
      Write("FC00144390000;");
      Port_.Purge();
      Write(kTc0);
      Port_.Purge();
    });
    Waits_.Wait(100);
  });
}

void TTncLink::Tune14488() {
  Action([&] {
    Waits_.Wait(50);
    Scope([&] {
      Write(kTc1);
      Write("FC00144880000;");
      Write(kTc0);
      Port_.Purge();
    });
    Waits_.Wait(100);
  });
}

void TTncLink::PortSetup() {
  try {
    Port_.ShowSetupDialog();
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
  if (Port_.IsOpen()) LossShown_ = false;
  ShowPortPanel();
  View_.HideHintPanel();
}

void TTncLink::ShowPortPanel() {
  const auto& s = Port_.Settings();
  const bool lost = LossShown_ && !Port_.IsOpen();
  View_.SetStatusPanel(5, " " + s.Port + " " + (lost ? std::string("lost") : FormatInt(s.BaudRate)) + " ");
}

void TTncLink::DigiRepeater() { Dialogs_.Error("Function is not yet available."); }

void TTncLink::WaitingTimerTick() {
  TncActive = true;
  View_.SetStatusLine("waiting on data ..");
  View_.SelectTab(TabStations);
  View_.SetBusyCursor(false);
  View_.HideStartLabelAndRadioPanel();
}

std::string TTncLink::PortLostText(const std::string& port, const std::string& reason) {
  std::string why = reason;
  while (!why.empty() && (why.back() == '.' || why.back() == ' ')) why.pop_back();
  return "The radio port " + port + " was lost" + (why.empty() ? "" : ": " + why) +
         ".\r\n"
         "Reception has stopped; the packets received so far are kept.\r\n"
         "Check the cable and the power of the radio, then choose the port with \"Set Port\" "
         "(Preferences > Set TS200 Radio Com Port) and press \"Packet ON\".";
}

void TTncLink::PortLost(const std::string& reason) {
  TncActive = false;
  View_.StopWaitingTimer();
  View_.SetBusyCursor(false);
  View_.SetStartLabel("Use Packet ON button to start");
  View_.ShowStartLabelAndRadioPanel();
  View_.SetPacketOnEnabled(true);
  // One box per loss, however often the dead port is reported.
  const bool first = !LossShown_;
  LossShown_ = true;
  ShowPortPanel();
  if (first) Dialogs_.Error(PortLostText(Port_.Settings().Port, reason));
}

bool TTncLink::CloseWindow(const std::function<void()>& saveFiles) {
  Scope([&] { PacketOffSteps(false); });
  try {
    if (saveFiles) saveFiles();
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
    return false;
  }
  Scope([&] {
    Write(kTc1);
    Write(kTc1);
  });
  TncActive = false;
  View_.SetPacketOnEnabled(true);
  return true;
}

void TTncLink::ExitSequence(const std::function<void()>& closeWindow) {
  View_.SetBusyCursor(true);
  try {
    if (Port_.IsOpen()) Port_.Purge();
    WorkerStopFlag.store(1, std::memory_order_relaxed);
    PacketOffSteps(true);
    closeWindow();
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
  View_.SetBusyCursor(false);
}

bool TTncLink::IsSafeToSend(const std::string& text) {
  if (text.find("TC ") != std::string::npos || text.find("CONV") != std::string::npos) return false;
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return false;
  return true;
}

bool TTncLink::GuardedSend(const std::string& text) {
  if (!IsSafeToSend(text)) return false;
  Write(text + std::string(LfCr));
  return true;
}

}  // namespace druv
