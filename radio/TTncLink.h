#pragma once
// Every command sequence the main window sends to the TS-2000 and its TNC. Sequences are
// fixed byte for byte; waits go through IWaits and boxes through IDialogs so tests see them all.
#include <functional>
#include <string>

#include "radio/ITncLinkView.h"
#include "radio/TTncParameters.h"

namespace druv {

class ISerialPort;
class IDialogs;
class IWaits;

inline constexpr int TabRawPackets = 0;
inline constexpr int TabStations = 7;
inline constexpr int TabTerminal = 8;

// The seven "<" buttons beside the advanced parameters.
enum TAdvancedReset : unsigned char { arFlow, arHBaud, arPacLen, arPacTime, arXFlow, arMCom, arMCon };

class TTncLink {
 public:
  TTncLink(ISerialPort& port, IDialogs& dialogs, IWaits& waits, ITncLinkView& view);

  TTncParametersRec Parameters;
  // The radio was put into TNC receive mode (set by the waiting timer, cleared by Packet OFF).
  bool TncActive = false;

  // User actions. Each runs its sequence; an error outside a guarded scope ends the action and is
  // shown in the error box.
  void PacketOn();
  void PacketOff();
  void Restart();          // the radio panel's "Restart": no break-in first
  void TerminalRestart();  // Terminal tab "RESTART"
  void CommandMode();      // "cmd:"
  void Converse();         // "CONV"
  void Display();
  void Reset();
  void SetTncForAprs();
  void ResetUnproto();
  void ResetMyCall();
  void ResetAdvanced(TAdvancedReset which);
  void RestoreDefaults();
  void SubRadioOn();
  void Tune14439();
  void Tune14488();
  void PortSetup();
  void DigiRepeater();
  void WaitingTimerTick();
  // The radio port went away under the program (ISerialPort's lost handler): the station goes back
  // to its state before Packet ON, panel 5 says so, and one error box tells how to get it back.
  void PortLost(const std::string& reason);
  static std::string PortLostText(const std::string& port, const std::string& reason);
  // The main window is closing: Packet OFF, saveFiles, then the line back to CAT control; write
  // errors are ignored. A druv::Error from saveFiles is shown and keeps the window open (false).
  bool CloseWindow(const std::function<void()>& saveFiles);
  // "Exit": discard pending bytes, stop the tickers, Packet OFF, then closeWindow. A closed port
  // has nothing to discard or switch back, so those steps are skipped rather than ending Exit.
  void ExitSequence(const std::function<void()>& closeWindow);

  // A text that may come from the user, written with LF CR. Refused silently when it could
  // switch the radio or the TNC: "TC ", "CONV", or any control byte (a Ctrl-C would drop the
  // TNC into command mode, a CR would start a line that runs as a TNC command).
  // Returns whether it was written; a write failure throws.
  bool GuardedSend(const std::string& text);
  static bool IsSafeToSend(const std::string& text);

 private:
  // Runs fn; a druv::Error inside abandons the rest of fn silently.
  template <class F>
  void Scope(F&& fn);
  // Runs an action; a druv::Error that escapes is shown in the error box.
  template <class F>
  void Action(F&& fn);
  void Write(const std::string& bytes);
  void PacketOnSteps();
  void PacketOffSteps(bool skipWritesWhenClosed);
  void SubRadioOnSteps();
  void SetTncForAprsSteps();
  // The port was open when the running action started and is gone now: the loss box tells it.
  bool LostDuringAction() const;
  void ShowPortPanel();

  ISerialPort& Port_;
  IDialogs& Dialogs_;
  IWaits& Waits_;
  ITncLinkView& View_;
  bool OpenAtActionStart_ = false;
  bool LossShown_ = false;  // the loss box is up or was shown, and the port has not come back
};

}  // namespace druv
