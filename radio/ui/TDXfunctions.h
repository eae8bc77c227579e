#pragma once
// The main working window: radio controls, TNC settings, packet lists, terminal. It creates and
// wires the tab and panel widgets; the command sequences live in the radio core (TTncLink).
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/TQtTimer.h"
#include "radio/ITncLinkView.h"
#include "radio/TAprsMessenger.h"
#include "radio/TAprsSettingsFile.h"
#include "radio/TPositionReporter.h"
#include "radio/TQthFile.h"
#include "radio/TReceivedLines.h"
#include "radio/TRxAssembler.h"
#include "radio/TSourceTransmitter.h"
#include "radio/TStationSource.h"
#include "radio/TTncLink.h"
#include "radio/TTncTransmitter.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;
class QTimer;

namespace druv {

class ISerialPort;
class IDialogs;
class IWaits;
class IClock;
class IBrowser;
class TLinesModel;
class TRadioControlsPanel;
class TTncSettingsPanel;
class TTerminalTab;
class TRawPacketsTab;
class TStartupHintPanel;
class TStuffTab;
class TPositionComposerPanel;
class TPositionReportTab;
class TMessagingPanel;

class TDXfunctions : public QMainWindow, private ITncLinkView, private IPositionReportView {
  Q_OBJECT
 public:
  // qthFields: where the creation hook puts the operator's position from "qth.cfg" and where the
  // closing hook takes it from (the map configuration window and the locate tool); without it the
  // texts are kept here.
  TDXfunctions(ISerialPort& radioPort, IDialogs& dialogs, IWaits& waits, IClock& clock,
               IQthFields* qthFields = nullptr, QWidget* parent = nullptr);
  ~TDXfunctions() override;

  // Set by the application: "Packet ON" starts a ticker through this hook.
  std::function<void()> StartTickerHook;
  // Set by the application: menu items that open another window pass its class name
  // ("TaprsConfigFm", "TAprsMapFm2", "TzelGPS", "TOpenMapFm", "TOpenStreetMapFm").
  std::function<void(const char* windowClass)> ShowWindowHook;
  // The station log's processing of one received line.
  std::function<void(const std::string& line)> StationLogHook;
  // Set by the application: repaints the station map window.
  std::function<void()> RepaintMapHook;
  // Whether the Ctrl key is held at this moment; the keyboard's state unless replaced.
  std::function<bool()> CtrlKeyHeld;

  // The composer, for the GPS window: each fix goes into the coordinate fields, then "Compose".
  void SetComposerLatitude(const QString& text);
  void SetComposerLongitude(const QString& text);
  void Compose();

  // The ticker's station-log step: processes every line received since the last call, in order.
  void PopulateDB();

  // The shell "open" for web links and help; the Qt desktop services unless replaced.
  void SetBrowser(IBrowser& browser) { Browser_ = &browser; }

  // Addresses of the "APRS" menu.
  static constexpr const char* AprsMapUrl = "https://aprs.fi/";
  static constexpr const char* NewsUrl = "https://github.com/druvaprs/druvaprs/releases";
  static constexpr const char* DownloadUrl = "https://github.com/druvaprs/druvaprs/releases/latest";
  static constexpr const char* VersionText = "DRUVaprs 0.97";

  // For the window tests and the other windows.
  TTncLink& Link() { return Link_; }
  // Where the lines come from: the TS-2000 or a KISS / APRS-IS source.
  TStationSource& Sources() { return Sources_; }
  QLabel* SourceStatus() const { return SourceStatus_; }
  TReceivedLines& Lines() { return Lines_; }
  TComposerTextsRec ComposerTexts() const;
  void SetComposerTexts(const TComposerTextsRec& c);
  TPositionReporter& Reporter() { return Reporter_; }
  TAprsMessenger& Messenger() { return Messenger_; }
  TPositionComposerPanel* ComposerPanel() const { return ComposerPanel_; }
  TPositionReportTab* ReportTab() const { return ReportTab_; }
  TMessagingPanel* MessagingPanel() const { return MessagingPanel_; }
  TQtTimer& BeaconTimer() { return BeaconTimer_; }
  TQtTimer& RetryTimer() { return RetryTimer_; }
  const IQthFields& QthFields() const { return *Qth_; }
  TRadioControlsPanel* RadioPanel() const { return RadioPanel_; }
  TTncSettingsPanel* SettingsPanel() const { return SettingsPanel_; }
  TTerminalTab* TerminalTab() const { return TerminalTab_; }
  TRawPacketsTab* RawTab() const { return RawTab_; }
  TStartupHintPanel* HintPanel() const { return HintPanel_; }
  QTabWidget* PageControl() const { return Tabs_; }
  QLineEdit* Edit4() const { return Edit4_; }
  QLabel* StatusPanel(int panel) const { return Panels_.at(static_cast<size_t>(panel - 1)); }
  QTimer* Timer2() const { return Timer2_; }
  QPushButton* CloseButton() const { return CloseButton_; }
  QListView* StationList() const { return ListBox9_; }
  QListView* WxStationList() const { return ListBox3_; }
  std::vector<std::string>& StationLines() { return StationLines_; }
  std::vector<std::string>& WxStationLines() { return WxLines_; }

  // Menu actions that belong to no subsystem window.
  void TestData();
  void ExitClick();
  void HelpClick();
  void AboutClick();
  void ClearRawData();
  // "Station Data Source...": edits sources.ini and applies it.
  void StationDataSourceClick();
  // The station data source settings to use from now on: applied, and written to sources.ini
  // when they differ from the current ones. False (with the error box) when the file cannot be written.
  bool ChangeSources(const TSourceSettingsRec& settings);
  void SettingsSummary();   // "Current UNPROTO / MYCALL / MESSAGE"
  void CoordinateLookup();  // "Find station coordinates from your street address (Requires Internet)"
  void SendMessageClick();  // " Send Msg to>"

  // Finds coordinates from a street address.
  static constexpr const char* CoordinateLookupUrl = "https://nominatim.openstreetmap.org/ui/search.html";

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // ITncLinkView
  void SetStartLabel(const std::string& text) override;
  void HideStartLabelAndRadioPanel() override;
  void SetBusyCursor(bool busy) override;
  void SelectTab(int pageIndex) override;
  void SetStatusLine(const std::string& text) override;
  void StartWaitingTimer() override;
  void SetPacketOnEnabled(bool enabled) override;
  void StartTicker() override;
  void HideSettingsPanel() override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void HideHintPanel() override;
  void SaveSettings() override;

  // IPositionReportView
  std::string PositionText() const override;
  void SetPositionText(const std::string& text) override;
  void ComposeFinished() override;
  void RepaintMap() override;
  bool PacketOnEnabled() const override;
  bool CtrlHeld() const override;

  void BuildMenu();
  void BuildWidgets();
  void Wire();
  void CreationHook();
  void SaveFilesOnClose();
  TAprsSettingsRec CurrentSettings() const;
  // Runs a TTncLink action with the parameter texts as they stand in the fields.
  void Run(void (TTncLink::*action)());
  void TypedKey(char c);
  void LoadSources();
  // With another source the radio port stays closed (no box about a radio that is not there), but
  // its settings are read, so closing writes them back unchanged.
  void KeepRadioPortSettings(const std::string& ini);
  void PacketOnClick();
  void PacketOffClick();

  ISerialPort& Port_;
  IDialogs& Dialogs_;
  IWaits& Waits_;
  IClock& Clock_;
  std::unique_ptr<IBrowser> OwnBrowser_;
  IBrowser* Browser_;

  TReceivedLines Lines_;
  TRxAssembler Rx_;
  TTncLink Link_;
  TSteadyClock SteadyClock_;
  TStationSource Sources_;
  TTncTransmitter Transmitter_;
  // Every send path goes out through the source in use: the TS-2000's TNC, KISS or APRS-IS.
  TSourceTransmitter SourceTransmitter_;
  TQtTimer BeaconTimer_;
  TQtTimer RetryTimer_;
  TPositionReporter Reporter_;
  TAprsMessenger Messenger_;
  TQthTexts OwnQth_;
  IQthFields* Qth_;
  std::vector<std::string> StationLines_, WxLines_;
  bool Busy_ = false;

  TLinesModel* RawModel_ = nullptr;
  TLinesModel* StationModel_ = nullptr;
  TLinesModel* WxModel_ = nullptr;
  TRadioControlsPanel* RadioPanel_ = nullptr;
  TTncSettingsPanel* SettingsPanel_ = nullptr;
  TTerminalTab* TerminalTab_ = nullptr;
  TRawPacketsTab* RawTab_ = nullptr;
  TStartupHintPanel* HintPanel_ = nullptr;
  TStuffTab* StuffTab_ = nullptr;
  TPositionComposerPanel* ComposerPanel_ = nullptr;
  TPositionReportTab* ReportTab_ = nullptr;
  TMessagingPanel* MessagingPanel_ = nullptr;
  QTabWidget* Tabs_ = nullptr;
  QLineEdit* Edit4_ = nullptr;
  QListView* ListBox9_ = nullptr;
  QListView* ListBox3_ = nullptr;
  std::array<QLabel*, 6> Panels_{};
  QPushButton* CloseButton_ = nullptr;
  QTimer* Timer2_ = nullptr;
  QTimer* SourceTimer_ = nullptr;
  QLabel* SourceStatus_ = nullptr;
};

}  // namespace druv
