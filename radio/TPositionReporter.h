#pragma once
// The own station's position report: composing it from decimal degrees and a symbol, the three
// ways of sending it (menu with Ctrl, "Send> " with confirmation, the beacon) and the settings
// summary. Every path ends in the transmitter, so the report can leave by another transport.
#include <array>
#include <string>
#include <string_view>

#include "radio/TAprsSettingsFile.h"

namespace druv {

class IAprsTransmitter;
class IDialogs;
class ITimer;

// The composer's symbol list: each entry selects the primary-table symbol of its first character.
extern const std::array<std::string_view, 22> SymbolListEntries;
// The symbol of an entry of the list; no selection (-1 or out of range) gives "-".
char SymbolForEntry(int index);

inline constexpr const char* InitialPositionText = "you must use the Compose Msg button first";
// Texts the composer refuses as not the operator's own: what a template leaves in the fields.
inline constexpr const char* FixedDefaultLatitude = "00.0000000000";
inline constexpr const char* FixedDefaultLongitude = "000.0000000000";
inline constexpr int BeaconPeriodMs = 600000;

// The report counts as composed unless it still starts with the placeholder's "you".
bool IsComposed(std::string_view positionText);
// "!" latitude "/" longitude symbol " " comment; the comment is kept as typed.
std::string PositionText(double latitude, double longitude, char symbol, const std::string& comment);
// Every "cmd:" removed, in any letter case, in one pass from the left.
std::string RemoveCmdMarkers(std::string_view text);
std::string SettingsSummaryCaption(const std::string& unproto, const std::string& myCall,
                                   const std::string& positionText);

// What the report's paths read and change on screen; the main window implements it.
class IPositionReportView {
 public:
  virtual ~IPositionReportView() = default;
  virtual std::string PositionText() const = 0;  // the editable line on the "Positiion Report" tab
  virtual void SetPositionText(const std::string& text) = 0;
  virtual void ComposeFinished() = 0;            // hide the composer, bring "Stations" to the front
  virtual void RepaintMap() = 0;
  virtual bool PacketOnEnabled() const = 0;      // still enabled: the TNC was not switched on
  virtual bool CtrlHeld() const = 0;
};

class TPositionReporter {
 public:
  TPositionReporter(IAprsTransmitter& transmitter, IDialogs& dialogs, ITimer& beaconTimer,
                    IPositionReportView& view);

  void Compose(const TComposerTextsRec& texts, int symbolIndex);
  void SendWithCtrl();    // menu "Send a position packet ( Hold down Ctrl key)"
  void SendConfirmed();   // "Send> "
  void SetBeacon(bool on);
  bool BeaconOn() const;
  void BeaconTick();

 private:
  IAprsTransmitter& Transmitter_;
  IDialogs& Dialogs_;
  ITimer& BeaconTimer_;
  IPositionReportView& View_;
};

}  // namespace druv
