#pragma once
// The main working window: radio controls, TNC settings, packet lists, terminal. It creates and
// wires the tab and panel widgets; the command sequences live in the radio core (TTncLink).
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Version.h"
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
#include "radio/TTrafficCounts.h"
#include "radio/TTncTransmitter.h"
#include "stations/TStationLog.h"
#include "stations/TWeatherGrid.h"

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
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
class TTrafficPanel;
class TPositionComposerPanel;
class TPositionReportTab;
class TMessagingPanel;
class TWeatherTab;
class TWxStationsTab;
class TMessagesTab;
class TThirdPartyTab;
class TStationsTab;
class TaprsDBFm;
class TStnDataFm;
class IStationMapLink;

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
  // The station log's processing of one received line; true when the line made a packet.
  // Set to the station log's own processing at creation; a wrapper may count or watch lines.
  std::function<bool(const std::string& line)> StationLogHook;
  // Set by the application: repaints the station map window.
  std::function<void()> RepaintMapHook;
  // Whether the Ctrl key is held at this moment; the keyboard's state unless replaced.
  std::function<bool()> CtrlKeyHeld;

  // The composer, for the GPS window: each fix goes into the coordinate fields, then "Compose".
  void SetComposerLatitude(const QString& text);
  void SetComposerLongitude(const QString& text);
  void Compose();
  // The same for a GPS fix, about once a second: the composer and the selected tab stay as they
  // are, so the operator can go on working on any tab.
  void ComposeFromGps();

  // The ticker's station-log step: processes every line received since the last call, in order,
  // counts them and shows the counts.
  void PopulateDB();

  // The station log behind the lists, and the windows it works with. Set by the application once
  // the station dataset window (which owns the table) and the station information window exist.
  TStationLog& StationLog() { return StationLog_; }
  TWeatherGrid& WeatherGrid() { return WeatherGrid_; }
  void SetStationWindows(TaprsDBFm& dataset, TStnDataFm& stationInfo);
  // The station map, which takes the nearest-station search's find.
  void SetStationMap(IStationMapLink* map) { StationMap_ = map; }

  // Station details: the raw list's and the station list's double-clicks, and the hidden
  // nearest-station search the map's right click runs after writing Edit3 and Edit6.
  void RawListDblClick();
  void StationListDblClick();
  // The raw-list double-click's steps for one line: the "Station Data" box and the station
  // information window filled and shown; false ("failed" noted) when the line does not parse.
  // The map's station look-up shows its find this way.
  bool ShowPacketDetails(const std::string& line);
  void Button70Click();

  // The shell "open" for web links and help; the Qt desktop services unless replaced.
  void SetBrowser(IBrowser& browser) { Browser_ = &browser; }

  // Addresses of the "APRS" menu.
  static constexpr const char* AprsMapUrl = "https://aprs.fi/";
  static constexpr const char* NewsUrl = "https://github.com/druvaprs/druvaprs/releases";
  static constexpr const char* DownloadUrl = "https://github.com/druvaprs/druvaprs/releases/latest";
  static constexpr const char* VersionText = ProductVersionText;

  // For the window tests and the other windows.
  TTncLink& Link() { return Link_; }
  // Where the lines come from: the TS-2000 or a KISS / APRS-IS source.
  TStationSource& Sources() { return Sources_; }
  QLabel* SourceStatus() const { return SourceStatus_; }
  TReceivedLines& Lines() { return Lines_; }
  TComposerTextsRec ComposerTexts() const;
  void SetComposerTexts(const TComposerTextsRec& c);
  TPositionReporter& Reporter() { return Reporter_; }
  // Every send path (position reports, beacons, messages and their acks) ends here: through the
  // TS-2000's TNC unless another transport is put in its place.
  void UseTransmitter(IAprsTransmitter& transmitter) { Transmitter_.Use(transmitter); }
  TTncTransmitter& TncTransmitter() { return TncTransmitter_; }
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
  QPushButton* MapButton() const { return MapButton_; }
  TTrafficPanel* TrafficPanel() const { return TrafficPanel_; }
  const TTrafficCountsRec& Traffic() const { return Traffic_; }
  QListView* StationList() const;
  QListView* WxStationList() const;
  TWeatherTab* WeatherTab() const { return WeatherTab_; }
  TWxStationsTab* WxStationsTab() const { return WxTab_; }
  TMessagesTab* MessagesTab() const { return MessagesTab_; }
  TThirdPartyTab* ThirdPartyTab() const { return ThirdPartyTab_; }
  TStationsTab* StationsTab() const { return StationsTab_; }
  QPlainTextEdit* Memo3() const { return Memo3_; }
  QLineEdit* Edit3() const { return Edit3_; }
  QLineEdit* Edit6() const { return Edit6_; }
  QPushButton* Button70() const { return Button70_; }

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
  // "Packet ON" starts the traffic counts afresh.
  void ResetTraffic();
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
  void ShowStartLabelAndRadioPanel() override;
  void SetBusyCursor(bool busy) override;
  void SelectTab(int pageIndex) override;
  void SetStatusLine(const std::string& text) override;
  void StartWaitingTimer() override;
  void StopWaitingTimer() override;
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
  // The TS-2000's TNC, or the KISS / APRS-IS source, in the transmitter slot.
  void UseTransmitterOfSource();
  void PacketOnClick();
  void PacketOffClick();
  void PortLost(const std::string& reason);

  ISerialPort& Port_;
  IDialogs& Dialogs_;
  IWaits& Waits_;
  IClock& Clock_;
  std::unique_ptr<IBrowser> OwnBrowser_;
  IBrowser* Browser_;

  TReceivedLines Lines_;
  TRxAssembler Rx_;
  TTncLink Link_;
  TTrafficCountsRec Traffic_;
  TSteadyClock SteadyClock_;
  TStationSource Sources_;
  TTncTransmitter TncTransmitter_;
  // KISS or APRS-IS in the transmitter slot while a source other than the TS-2000 is chosen.
  TSourceTransmitter SourceTransmitter_;
  TTransmitterSlot Transmitter_;
  TQtTimer BeaconTimer_;
  TQtTimer RetryTimer_;
  TPositionReporter Reporter_;
  TAprsMessenger Messenger_;
  TQthTexts OwnQth_;
  IQthFields* Qth_;
  TStationLog StationLog_;
  TWeatherGrid WeatherGrid_;
  TaprsDBFm* DataSetFm_ = nullptr;
  TStnDataFm* StnDataFm_ = nullptr;
  IStationMapLink* StationMap_ = nullptr;
  bool Busy_ = false;
  bool QuietCompose_ = false;

  TLinesModel* RawModel_ = nullptr;
  TRadioControlsPanel* RadioPanel_ = nullptr;
  TTncSettingsPanel* SettingsPanel_ = nullptr;
  TTerminalTab* TerminalTab_ = nullptr;
  TRawPacketsTab* RawTab_ = nullptr;
  TStartupHintPanel* HintPanel_ = nullptr;
  TStuffTab* StuffTab_ = nullptr;
  TPositionComposerPanel* ComposerPanel_ = nullptr;
  TPositionReportTab* ReportTab_ = nullptr;
  TMessagingPanel* MessagingPanel_ = nullptr;
  TWeatherTab* WeatherTab_ = nullptr;
  TWxStationsTab* WxTab_ = nullptr;
  TMessagesTab* MessagesTab_ = nullptr;
  TThirdPartyTab* ThirdPartyTab_ = nullptr;
  TStationsTab* StationsTab_ = nullptr;
  QPlainTextEdit* Memo3_ = nullptr;
  QLineEdit* Edit3_ = nullptr;
  QLineEdit* Edit6_ = nullptr;
  QPushButton* Button70_ = nullptr;
  QTabWidget* Tabs_ = nullptr;
  QLineEdit* Edit4_ = nullptr;
  std::array<QLabel*, 6> Panels_{};
  TTrafficPanel* TrafficPanel_ = nullptr;
  QPushButton* CloseButton_ = nullptr;
  QPushButton* MapButton_ = nullptr;
  QTimer* Timer2_ = nullptr;
  QTimer* SourceTimer_ = nullptr;
  QLabel* SourceStatus_ = nullptr;
};

}  // namespace druv
