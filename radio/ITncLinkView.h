#pragma once
// What the command sequences change on screen; the main window implements it.
#include <string>

namespace druv {

class ITncLinkView {
 public:
  virtual ~ITncLinkView() = default;
  virtual void SetStartLabel(const std::string& text) = 0;  // "Use Packet ON button to start"
  virtual void HideStartLabelAndRadioPanel() = 0;
  virtual void ShowStartLabelAndRadioPanel() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void SelectTab(int pageIndex) = 0;
  virtual void SetStatusLine(const std::string& text) = 0;   // Edit4
  virtual void StartWaitingTimer() = 0;                       // Timer2, 5000 ms one-shot
  virtual void StopWaitingTimer() = 0;
  virtual void SetPacketOnEnabled(bool enabled) = 0;
  virtual void StartTicker() = 0;
  virtual void HideSettingsPanel() = 0;
  virtual void SetStatusPanel(int panel, const std::string& text) = 0;  // panels count from 1
  virtual void HideHintPanel() = 0;
  // Rewrites the settings file from the current field texts; throws druv::Error on failure.
  virtual void SaveSettings() = 0;
};

}  // namespace druv
