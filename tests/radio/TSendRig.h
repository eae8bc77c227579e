#pragma once
// The real send path over fakes: TNC link, transmitter, a recording port, waits and boxes, all
// into one journal, so a test compares the whole sequence a send path produced.
#include <string>
#include <vector>

#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/ITncLinkView.h"
#include "radio/TTncLink.h"
#include "radio/TTncTransmitter.h"

namespace druv {

class TQuietLinkView : public ITncLinkView {
 public:
  void SetStartLabel(const std::string&) override {}
  void HideStartLabelAndRadioPanel() override {}
  void ShowStartLabelAndRadioPanel() override {}
  void SetBusyCursor(bool) override {}
  void SelectTab(int) override {}
  void SetStatusLine(const std::string&) override {}
  void StartWaitingTimer() override {}
  void StopWaitingTimer() override {}
  void SetPacketOnEnabled(bool) override {}
  void StartTicker() override {}
  void HideSettingsPanel() override {}
  void SetStatusPanel(int, const std::string&) override {}
  void HideHintPanel() override {}
  void SaveSettings() override {}
};

struct TSendRig {
  TJournal J;
  TFakeSerialPort Port{&J};
  TScriptedDialogs Dialogs{&J};
  TRecordingWaits Waits{&J};
  TQuietLinkView LinkView;
  TTncLink Link{Port, Dialogs, Waits, LinkView};
  TTncTransmitter Transmitter{Port, Waits, Link};
  TSendRig() { Port.SetOpenState(true); }
};

// What the TNC gets before the text of every send: purge, CONV with its break-in, the settle wait.
inline std::vector<std::string> ConverseThen(int settleMs, bool purgeAfter, const std::string& text) {
  std::vector<std::string> out = {"purge", "W <03>^C<LF><CR>", "W CONV<LF><CR>", "purge",
                                  "wait " + std::to_string(settleMs)};
  if (purgeAfter) out.push_back("purge");
  if (!text.empty()) out.push_back("W " + text + "<LF><CR>");
  return out;
}

}  // namespace druv
