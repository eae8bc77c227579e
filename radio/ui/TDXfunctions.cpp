#include "radio/ui/TDXfunctions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/ProcessFlags.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/ISerialPort.h"
#include "platform/IWaits.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtIniFile.h"
#include "platform/qt/QtTime.h"
#include "platform/qt/TQtBrowser.h"
#include "platform/qt/TQtSerialPort.h"
#include "platform/qt/TQtTcpSocket.h"
#include "radio/TMessageNumberFile.h"
#include "radio/TestData.h"
#include "radio/ui/TInstructionBox.h"
#include "radio/ui/TLinesModel.h"
#include "radio/ui/TMessagingPanel.h"
#include "radio/ui/TPositionComposerPanel.h"
#include "radio/ui/TPositionReportTab.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"
#include "radio/ui/TSourceDialog.h"
#include "radio/ui/TStartupHintPanel.h"
#include "radio/ui/TStuffTab.h"
#include "radio/ui/TTerminalTab.h"
#include "radio/ui/TTerminalView.h"
#include "radio/ui/TTncSettingsPanel.h"
#include "radio/ui/TTrafficPanel.h"
#include "stations/StationViews.h"
#include "stations/TStationTable.h"
#include "stations/ui/TMessagesTab.h"
#include "stations/ui/TStationsTab.h"
#include "stations/ui/TStnDataFm.h"
#include "stations/ui/TThirdPartyTab.h"
#include "stations/ui/TWeatherTab.h"
#include "stations/ui/TWxStationsTab.h"
#include "stations/ui/TaprsDBFm.h"

namespace druv {

namespace {
constexpr const char* kIniFileName = "zelAPRS.ini";

QLineEdit* HiddenEdit(const char* objectName, const char* text, QWidget* parent) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(objectName);
  e->hide();
  return e;
}
}  // namespace

TDXfunctions::TDXfunctions(ISerialPort& radioPort, IDialogs& dialogs, IWaits& waits, IClock& clock,
                           IQthFields* qthFields, QWidget* parent)
    : QMainWindow(parent),
      Port_(radioPort),
      Dialogs_(dialogs),
      Waits_(waits),
      Clock_(clock),
      OwnBrowser_(std::make_unique<TQtBrowser>()),
      Browser_(OwnBrowser_.get()),
      Link_(radioPort, dialogs, waits, *this),
      Sources_(Lines_, *this, dialogs, SteadyClock_,
               {[] { return std::unique_ptr<ITcpSocket>(std::make_unique<TQtTcpSocket>()); },
                [] { return std::unique_ptr<ISerialPort>(std::make_unique<TQtSerialPort>("KissPort")); }}),
      TncTransmitter_(radioPort, waits, Link_),
      SourceTransmitter_(Sources_, [this] { return SettingsPanel_->Parameters(); }),
      Transmitter_(TncTransmitter_),
      Reporter_(Transmitter_, dialogs, BeaconTimer_, *this),
      Messenger_(Transmitter_, dialogs, clock, RetryTimer_),
      Qth_(qthFields ? qthFields : &OwnQth_),
      StationLog_(nullptr, &clock) {
  setObjectName("TDXfunctions");
  setWindowTitle("DRUVaprs Version");
  // Closed only through "Exit" or the Close button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BuildWidgets();
  BuildMenu();
  Wire();
  LoadSources();
  CreationHook();
}

TDXfunctions::~TDXfunctions() {
  Sources_.OnStatusChanged = {};
  Sources_.PacketOff();
  Port_.SetReceiveHandler({});
  Port_.SetLostHandler({});
  SetBusyCursor(false);  // the hourglass of a Packet ON still waiting must not outlive the window
  Lines_.OnRawAboutToAppend = {};
  Lines_.OnRawAppended = {};
  Lines_.OnRawAboutToClear = {};
  Lines_.OnRawCleared = {};
  Lines_.OnStatusChanged = {};
  // The station tabs' models watch lists of the station log, which goes before the widgets do.
  delete WeatherTab_;
  delete WxTab_;
  delete MessagesTab_;
  delete ThirdPartyTab_;
  delete StationsTab_;
}

QListView* TDXfunctions::StationList() const { return StationsTab_->ListBox9; }
QListView* TDXfunctions::WxStationList() const { return WxTab_->ListBox3; }

void TDXfunctions::SetStationWindows(TaprsDBFm& dataset, TStnDataFm& stationInfo) {
  DataSetFm_ = &dataset;
  StnDataFm_ = &stationInfo;
  StationLog_.SetTable(&dataset.APRSData);
  dataset.SetStationInfoWindow(&stationInfo);
}

void TDXfunctions::BuildWidgets() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  RadioPanel_ = new TRadioControlsPanel(central);
  auto* instructions = new TInstructionBox(central);
  SettingsPanel_ = new TTncSettingsPanel(central);
  SettingsPanel_->hide();
  ComposerPanel_ = new TPositionComposerPanel(central);
  ComposerPanel_->hide();

  RawModel_ = new TLinesModel(Lines_.RawPackets(), this);

  Tabs_ = new QTabWidget(central);
  Tabs_->setObjectName("PageControl1");
  RawTab_ = new TRawPacketsTab(RawModel_, Tabs_);
  WeatherTab_ = new TWeatherTab(WeatherGrid_, StationLog_.WeatherStations, Tabs_);
  WxTab_ = new TWxStationsTab(StationLog_, Tabs_);
  MessagesTab_ = new TMessagesTab(StationLog_, Tabs_);
  ThirdPartyTab_ = new TThirdPartyTab(StationLog_, Tabs_);
  StationsTab_ = new TStationsTab(StationLog_, Tabs_);
  TerminalTab_ = new TTerminalTab(Tabs_);
  StuffTab_ = new TStuffTab(Tabs_);
  ReportTab_ = new TPositionReportTab(Tabs_);
  MessagingPanel_ = new TMessagingPanel(Messenger_, MessagesTab_);
  MessagesTab_->Layout()->addWidget(MessagingPanel_, 2);
  Memo3_ = new QPlainTextEdit("Station Data", StuffTab_->StationDataBox);
  Memo3_->setObjectName("Memo3");
  Memo3_->setAccessibleName("Station Data");
  Memo3_->setReadOnly(true);
  StuffTab_->StationDataBox->layout()->addWidget(Memo3_);
  // Page order fixed by the page indexes the rest of the program selects (RAW 0, Stations 7, Terminal 8).
  Tabs_->addTab(RawTab_, "RAW Packets");
  Tabs_->addTab(WeatherTab_, "Weather");
  Tabs_->addTab(WxTab_, "WX Stns");
  Tabs_->addTab(MessagesTab_, "Messages");
  Tabs_->addTab(ThirdPartyTab_, "Third-Party");
  Tabs_->addTab(new QWidget(Tabs_), "Spreadsheet");
  Tabs_->addTab(new QWidget(Tabs_), "Testing");
  Tabs_->addTab(StationsTab_, "Stations");
  Tabs_->addTab(TerminalTab_, "Terminal");
  Tabs_->addTab(ReportTab_, "Positiion Report");
  Tabs_->addTab(StuffTab_, "Stuff");

  Edit4_ = new QLineEdit(central);
  Edit4_->setObjectName("Edit4");
  Edit4_->setAccessibleName("Status line");
  Edit4_->setReadOnly(true);
  Edit4_->setText("Turn TNC on using the Packet ON button to start receiving APRS packets  . . . set port first please.");

  CloseButton_ = new QPushButton("Close", central);
  MapButton_ = new QPushButton("Map", central);
  MapButton_->setObjectName("MapButton");
  MapButton_->setToolTip("Show a map of station locations");
  // Where the map's right click writes the clicked point for the nearest-station search.
  Edit3_ = HiddenEdit("Edit3", "33.000", central);
  Edit6_ = HiddenEdit("Edit6", "-97.000", central);
  Button70_ = new QPushButton("Button70", central);
  Button70_->setObjectName("Button70");
  Button70_->hide();

  auto* top = new QHBoxLayout;
  top->addWidget(RadioPanel_);
  top->addWidget(instructions);
  top->addWidget(SettingsPanel_);
  top->addWidget(ComposerPanel_);
  top->addWidget(MapButton_, 0, Qt::AlignTop);
  top->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Edit4_, 1);
  bottom->addWidget(CloseButton_);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(top);
  layout->addWidget(Tabs_, 1);
  layout->addLayout(bottom);

  for (size_t i = 0; i < Panels_.size(); ++i) {
    Panels_[i] = new QLabel(this);
    Panels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
    Panels_[i]->setAccessibleName(QString("Status panel %1").arg(i + 1));
    statusBar()->addWidget(Panels_[i], i == 5 ? 1 : 0);
  }
  TrafficPanel_ = new TTrafficPanel(this);
  statusBar()->addPermanentWidget(TrafficPanel_);
  SourceStatus_ = new QLabel(this);
  SourceStatus_->setObjectName("SourceStatus");
  SourceStatus_->setAccessibleName("Station data source");
  statusBar()->addPermanentWidget(SourceStatus_);
  SourceStatus_->hide();

  HintPanel_ = new TStartupHintPanel(central);
  HintPanel_->raise();

  Timer2_ = new QTimer(this);
  Timer2_->setObjectName("Timer2");
  Timer2_->setInterval(5000);
  Timer2_->setSingleShot(true);
  // Retries and time-outs of a KISS or APRS-IS source; the link itself never blocks.
  SourceTimer_ = new QTimer(this);
  SourceTimer_->setObjectName("SourceTimer");
  SourceTimer_->setInterval(250);
  resize(1000, 720);
}

void TDXfunctions::BuildMenu() {
  QMenuBar* bar = menuBar();
  auto item = [this](QMenu* menu, const char* caption, auto&& handler) {
    QAction* a = menu->addAction(caption);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  auto show = [this](const char* windowClass) {
    return [this, windowClass] {
      if (ShowWindowHook) ShowWindowHook(windowClass);
    };
  };
  auto disabled = [](QMenu* menu, const char* caption) { menu->addAction(caption)->setEnabled(false); };

  QMenu* exitMenu = bar->addMenu("Exit");
  item(exitMenu, "Exit", [this] { ExitClick(); });

  QMenu* prefs = bar->addMenu("Preferences");
  item(prefs, "Set TS200 Radio Com Port", [this] { Link_.PortSetup(); });
  item(prefs, "Station Data Source...", [this] { StationDataSourceClick(); })
      ->setToolTip("TS-2000, KISS over TCP (Dire Wolf) or a serial port, or APRS-IS");
  prefs->addSeparator();
  item(prefs, "Configure Universal Map", show("TaprsConfigFm"));
  prefs->addSeparator();
  item(prefs, "APRS TNC Settings", [this] { SettingsPanel_->show(); })
      ->setToolTip("Set parameters for the internal TNC");
  item(prefs, "Clear APRS Settings (Return to Internal TNC Default settings)", [this] { Run(&TTncLink::RestoreDefaults); })
      ->setToolTip("Clear TNC APRS settings");
  prefs->addSeparator();
  item(prefs, "Create a Position Packet", [this] { ComposerPanel_->show(); })
      ->setToolTip("Compose an APRS Position Packet for your location");
  prefs->setToolTipsVisible(true);

  QMenu* map = bar->addMenu("Map");
  item(map, "Show Map", show("TAprsMapFm2"));
  disabled(map, "Google Map");
  disabled(map, "Regular Map");

  QMenu* print = bar->addMenu("Print");
  disabled(print, "Print Map");
  disabled(print, "Print Preview");

  QMenu* gps = bar->addMenu("GPS");
  item(gps, "Enable GPS", show("TzelGPS"));

  QMenu* send = bar->addMenu("Send");
  item(send, "Send a position packet ( Hold down Ctrl key)", [this] { Reporter_.SendWithCtrl(); });
  item(send, "Toggle a Beacon every 10 minutes (Hold down Ctrl key)",
       [this] { Dialogs_.Information("Tool is not available yet."); });

  QMenu* digi = bar->addMenu("Digi-Repeater");
  item(digi, "Enable TS-2000 as a DigiRepeater", [this] { Link_.DigiRepeater(); });

  QMenu* tools = bar->addMenu("Tools");
  // Both map tools reach the Internet: the operator confirms first.
  auto online = [this](const char* windowClass) {
    return [this, windowClass] {
      if (!Dialogs_.WarningYesNo("OpenStreetMap web site",
                                 "This action will take you to an Internet web page that helps you create a map you "
                                 "can use for displaying APRS icons for your area.  Your PC needs to be connected to "
                                 "the Internet. Do you want to continue?"))
        return;
      try {
        if (ShowWindowHook) ShowWindowHook(windowClass);
      } catch (const std::exception&) {
        Dialogs_.Error("Your PC is probably not connected to the Internet.");
      }
    };
  };
  item(tools, "Fast OpenStreetMaps", online("TOpenMapFm"));
  item(tools, "OpenStreetMap", online("TOpenStreetMapFm"))->setToolTip("Download a map for your area from the Internet");
  tools->setToolTipsVisible(true);
  item(tools, "Test Data", [this] { TestData(); });
  item(tools, "Current UNPROTO / MYCALL / MESSAGE", [this] { SettingsSummary(); });

  QMenu* aprs = bar->addMenu("APRS");
  item(aprs, "aprs.fi live APRS map", [this] { Browser_->Open(AprsMapUrl); });
  item(aprs, "DRUV News", [this] { Browser_->Open(NewsUrl); });
  item(aprs, "DRUV Download", [this] { Browser_->Open(DownloadUrl); });

  QMenu* help = bar->addMenu("Help");
  item(help, "Help", [this] { HelpClick(); });

  QMenu* about = bar->addMenu("About");
  item(about, "About", [this] { AboutClick(); });
}

void TDXfunctions::Wire() {
  auto* rp = RadioPanel_;
  connect(rp->PacketOnButton, &QPushButton::clicked, this, [this] { PacketOnClick(); });
  connect(rp->PacketOffButton, &QPushButton::clicked, this, [this] { PacketOffClick(); });
  connect(rp->RestartButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::Restart); });
  connect(rp->SubRadioButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::SubRadioOn); });
  connect(rp->Tune14439Button, &QPushButton::clicked, this, [this] { Run(&TTncLink::Tune14439); });
  connect(rp->Tune14488Button, &QPushButton::clicked, this, [this] { Run(&TTncLink::Tune14488); });
  connect(HintPanel_->SetPortButton, &QPushButton::clicked, this, [this] { Link_.PortSetup(); });

  auto* tt = TerminalTab_;
  connect(tt->ResetButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::Reset); });
  connect(tt->DisplayButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::Display); });
  connect(tt->CmdButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::CommandMode); });
  connect(tt->ConvButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::Converse); });
  connect(tt->RestartButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::TerminalRestart); });

  auto* sp = SettingsPanel_;
  connect(sp->SetTncButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::SetTncForAprs); });
  connect(sp->ResetUnprotoButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::ResetUnproto); });
  connect(sp->ResetMyCallButton, &QPushButton::clicked, this, [this] { Run(&TTncLink::ResetMyCall); });
  const TAdvancedReset advanced[7] = {arFlow, arHBaud, arPacLen, arPacTime, arXFlow, arMCom, arMCon};
  for (int k = 0; k < 7; ++k)
    connect(sp->AdvancedResetButtons[k], &QPushButton::clicked, this,
            [this, which = advanced[k]] { Link_.ResetAdvanced(which); });

  connect(ComposerPanel_->ComposeButton, &QPushButton::clicked, this, [this] { Compose(); });
  auto* rt = ReportTab_;
  connect(rt->ComposeMsgButton, &QPushButton::clicked, ComposerPanel_, &QWidget::show);
  connect(rt->SendButton, &QPushButton::clicked, this, [this] { Reporter_.SendConfirmed(); });
  connect(rt->BeaconBox, &QCheckBox::toggled, this, [this](bool on) { Reporter_.SetBeacon(on); });
  connect(rt->LookupButton, &QPushButton::clicked, this, [this] { CoordinateLookup(); });
  connect(MessagingPanel_->SendButton, &QPushButton::clicked, this, [this] { SendMessageClick(); });
  // The messenger's own call follows the MYCALL field, rather than being read from it for every packet heard.
  auto ownCall = [this](const QString& myCall) { Messenger_.MyCall = CallSignOfMyCall(FromQString(myCall)); };
  connect(SettingsPanel_->Fields[1], &QLineEdit::textChanged, this, ownCall);
  ownCall(SettingsPanel_->Fields[1]->text());
  Messenger_.OnNumberTaken = [](int number) {
    // Numbering goes on in memory when the file cannot be written; sending must not wait for it.
    try {
      SaveMessageNumber(AppPath(MessageNumberFileName), number);
    } catch (const Error&) {
    }
  };

  connect(RawTab_->ClearButton, &QPushButton::clicked, this, [this] { ClearRawData(); });
  connect(MapButton_, &QPushButton::clicked, this, [this] {
    if (ShowWindowHook) ShowWindowHook("TAprsMapFm2");
  });
  connect(RawTab_->ListBox7, &QListView::doubleClicked, this, [this] { RawListDblClick(); });
  connect(StationsTab_->ListBox9, &QListView::doubleClicked, this, [this] { StationListDblClick(); });
  connect(Button70_, &QPushButton::clicked, this, [this] {
    try {
      Button70Click();
    } catch (const Error& e) {
      Dialogs_.Error(e.what());
    }
  });
  connect(CloseButton_, &QPushButton::clicked, this, [this] {
    WorkerStopFlag.store(1, std::memory_order_relaxed);
    close();
  });
  connect(Timer2_, &QTimer::timeout, this, [this] {
    Timer2_->stop();
    Link_.WaitingTimerTick();
  });
  connect(SourceTimer_, &QTimer::timeout, this, [this] { Sources_.Poll(); });
  Sources_.OnStatusChanged = [this](const std::string& text) {
    SourceStatus_->setText(ToQString(text));
    SourceStatus_->setVisible(!text.empty());
  };

  // Receive path: port -> terminal view -> line assembly -> raw list and status line.
  Lines_.OnRawAboutToAppend = [this](size_t i) { RawModel_->BeginAppend(i); };
  Lines_.OnRawAppended = [this](size_t) { RawModel_->EndAppend(); };
  Lines_.OnRawAboutToClear = [this] { RawModel_->BeginClear(); };
  Lines_.OnRawCleared = [this] { RawModel_->EndClear(); };
  Lines_.OnStatusChanged = [this](const std::string& t) { Edit4_->setText(ToQString(t)); };
  Rx_.OnRawLine = [this](const std::string& l) { Lines_.AppendRaw(l); };
  Rx_.OnStatusLine = [this](const std::string& l) { Lines_.SetStatusLine(l); };
  TerminalTab_->Terminal->OnChar = [this](char c) { Rx_.Char(c); };
  TerminalTab_->Terminal->OnKey = [this](char c) { TypedKey(c); };
  Port_.SetReceiveHandler([this](char c) { TerminalTab_->Terminal->Receive(c); });
  Port_.SetLostHandler([this](const std::string& reason) { PortLost(reason); });

  // Station log: TIME in the user's long time format.
  StationLog_.SetTimeFormat([](TDateTime t) { return FromQString(FormatLongTime(t)); });
  StationLogHook = [this](const std::string& line) { return StationLog_.Process(line); };
  // The messenger hears each packet the station log's parse made, so no line is parsed twice.
  StationLog_.OnPacket = [this](const TAprsPacket& packet, const std::string&) { Messenger_.PacketHeard(packet); };
}

void TDXfunctions::CreationHook() {
  HintPanel_->setGeometry(0, 0, 953, 330);
  WeatherGrid_.WriteHeaders();
  const std::string ini = AppPath(kIniFileName);
  try {
    if (!Sources_.UsesTs2000())
      KeepRadioPortSettings(ini);
    else if (FileExists(ini))
      Port_.LoadSettings(ini);
    else
      Port_.Open();
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
  Panels_[0]->setText(VersionText);
  setWindowTitle(VersionText);
  // Whatever happens to the settings below, numbering must not start again at 1.
  Messenger_.LastNumber = LoadMessageNumber(AppPath(MessageNumberFileName));
  try {
    TAprsSettingsRec s = LoadAprsSettings(AppPath(AprsSettingsFileName));
    ComposerPanel_->SetTexts(s.Composer);
    SettingsPanel_->SetParameters(s.Tnc);
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
    return;
  }
  const std::string myCall = FromQString(SettingsPanel_->Fields[1]->text());
  SetStatusPanel(6, myCall);
  if (myCall.size() < 7)
    Dialogs_.Error(
        "To begin, you MUST enter MYCALL data (Preferences> APRS TNC Settings) and your position info "
        "(Preferences>Create a Position Packet. ");
  Link_.TncActive = false;
  auto qth = LoadQth(AppPath(QthFileName));
  if (!qth) Dialogs_.Error("Your Maps configuration file is missing.");
  Qth_->SetQthTexts(qth.value_or(TQthTextsRec()));
  Tabs_->setTabVisible(5, false);  // Spreadsheet
  Tabs_->setTabVisible(6, false);  // Testing
}

void TDXfunctions::Run(void (TTncLink::*action)()) {
  Link_.Parameters = SettingsPanel_->Parameters();
  (Link_.*action)();
}

void TDXfunctions::PacketOnClick() {
  ResetTraffic();
  if (Sources_.UsesTs2000()) {
    Run(&TTncLink::PacketOn);
    return;
  }
  Sources_.PacketOn(SettingsPanel_->Parameters());
  SourceTimer_->start();
}

void TDXfunctions::PacketOffClick() {
  if (Sources_.UsesTs2000()) {
    Run(&TTncLink::PacketOff);
    return;
  }
  Sources_.PacketOff();
  SourceTimer_->stop();
}

void TDXfunctions::LoadSources() {
  TSourceSettingsRec settings;
  std::vector<std::string> problems;
  try {
    settings = SourceSettingsFromIni(ReadIniSection(AppPath(SourcesFileName), SourcesSection), &problems);
  } catch (const Error& e) {
    problems.push_back(e.what());
  }
  Sources_.Apply(settings, SettingsPanel_->Parameters());
  UseTransmitterOfSource();
  if (!problems.empty()) {
    std::string text = std::string(SourcesFileName) + ":";
    for (const std::string& p : problems) text += "\r\n" + p;
    Dialogs_.Error(text);
  }
}

void TDXfunctions::UseTransmitterOfSource() {
  if (Sources_.UsesTs2000())
    Transmitter_.Use(TncTransmitter_);
  else
    Transmitter_.Use(SourceTransmitter_);
}

void TDXfunctions::KeepRadioPortSettings(const std::string& ini) {
  if (!FileExists(ini)) return;
  Port_.ApplySettings(SerialSettingsFromIni(ReadIniSection(ini, Port_.ObjectName()), Port_.Settings()));
}

bool TDXfunctions::ChangeSources(const TSourceSettingsRec& settings) {
  if (settings == Sources_.Settings()) return true;
  try {
    WriteIniSection(AppPath(SourcesFileName), SourcesSection, SourceSettingsToIni(settings));
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
    return false;
  }
  // Leaving the TS-2000: a radio still in packet mode is handed back to CAT control (Packet OFF),
  // and its port is closed as it would not have been opened at start.
  if (Sources_.UsesTs2000() && settings.Kind != skTs2000 && Port_.IsOpen()) {
    if (!RadioPanel_->PacketOnButton->isEnabled()) Run(&TTncLink::PacketOff);
    Port_.Close();
  }
  Sources_.Apply(settings, SettingsPanel_->Parameters());
  UseTransmitterOfSource();
  // Back to the TS-2000: its port opens now, as it would have at start.
  if (Sources_.UsesTs2000() && !Port_.IsOpen()) {
    try {
      Port_.Open();
    } catch (const Error& e) {
      Dialogs_.Error(e.what());
    }
  }
  if (Sources_.Running())
    SourceTimer_->start();
  else
    SourceTimer_->stop();
  return true;
}

void TDXfunctions::StationDataSourceClick() {
  // An APRS-IS filter around the composer's position, when it holds one.
  std::string filter;
  const TComposerTextsRec composer = ComposerTexts();
  const auto lat = ParseDouble(composer.Latitude), lon = ParseDouble(composer.Longitude);
  if (lat && lon) filter = "r/" + FormatGeneral(*lat) + "/" + FormatGeneral(*lon) + "/100";
  TSourceDialog dialog(Sources_.Settings(), CallSignOfMyCall(SettingsPanel_->Parameters().MyCall), filter, Dialogs_,
                       this);
  if (dialog.exec() == QDialog::Accepted) ChangeSources(dialog.Choice());
}

void TDXfunctions::TypedKey(char c) {
  try {
    Port_.WriteStr(std::string(1, c));
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

void TDXfunctions::PortLost(const std::string& reason) {
  Rx_.DiscardLine();
  Link_.PortLost(reason);
}

void TDXfunctions::PopulateDB() {
  const uint64_t linesBefore = Traffic_.Lines;
  // The counts are shown even when the station log fails on a line (the error goes on to the ticker).
  auto show = [&] {
    if (Traffic_.Lines != linesBefore) Traffic_.LastLineTime = Clock_.LocalNow();
    TrafficPanel_->Show(Traffic_);
  };
  try {
    Lines_.Drain([this](const std::string& line) {
      ++Traffic_.Lines;
      if (!StationLogHook) return;
      if (StationLogHook(line))
        ++Traffic_.Packets;
      else
        ++Traffic_.Rejected;
    });
  } catch (...) {
    show();
    throw;
  }
  show();
}

void TDXfunctions::ResetTraffic() {
  Traffic_ = {};
  TrafficPanel_->Show(Traffic_);
}

void TDXfunctions::RawListDblClick() {
  const QModelIndex current = RawTab_->ListBox7->currentIndex();
  const auto& raw = Lines_.RawPackets();
  if (!current.isValid() || static_cast<size_t>(current.row()) >= raw.size()) return;
  ShowPacketDetails(Trim(raw[static_cast<size_t>(current.row())]));
}

bool TDXfunctions::ShowPacketDetails(const std::string& line) {
  auto details = RawLineDetails(line);
  if (!details) {
    Memo3_->appendPlainText("failed");
    return false;
  }
  Memo3_->clear();
  AppendMemoText(Memo3_, details->Verbose);
  if (!StnDataFm_) return true;
  TStnDataFm& w = *StnDataFm_;
  w.Label3->clear();
  w.Label4->clear();
  w.ClearMemo();
  w.AddToMemo(details->Verbose);
  w.Label1->setText(ToQString(details->Station));
  w.Label2->setText(ToQString(details->Grid));
  w.Label3->setText(ToQString(details->Course));
  w.Label4->setText(ToQString(details->Speed));
  w.Label5->setText(ToQString(details->Comment));
  w.show();
  w.raise();
  return true;
}

void TDXfunctions::StationListDblClick() {
  const std::string call = StationsTab_->SelectedCall();
  if (call.empty() || !DataSetFm_) return;
  DataSetFm_->Edit1->setText(ToQString(call));
  DataSetFm_->StationLookup();
}

void TDXfunctions::Button70Click() {
  const double lat = StrToFloat(FromQString(Edit3_->text())), lon = StrToFloat(FromQString(Edit6_->text()));
  if (!DataSetFm_) return;
  const TNearestStationRec found = NearestStation(DataSetFm_->APRSData, lat, lon);
  if (!StationMap_) return;
  StationMap_->SetSearchStatus(found.StatusText);
  StationMap_->GetAllInfo(found.Packet);
}

void TDXfunctions::TestData() {
  if (!Dialogs_.WarningYesNo("Dummy APRS Data",
                             "This action sends dummy APRS data to the software for offline testing of the "
                             "programs maps. You can see the posted data in the RAW Packets folder. Do you want to "
                             "continue?"))
    return;
  for (std::string_view line : TestDataLines) Lines_.AppendRaw(std::string(line));
  Dialogs_.Information("Test packet data was sent to the RAW Packets folder list.");
}

void TDXfunctions::ExitClick() {
  Link_.Parameters = SettingsPanel_->Parameters();
  Link_.ExitSequence([this] { close(); });
}

void TDXfunctions::HelpClick() { Browser_->Open(AppPath("DRUVaprs.chm")); }

void TDXfunctions::AboutClick() {
  Dialogs_.Message(std::string(VersionText) +
                       "\r\nAPRS station for the Kenwood TS-2000 and its built-in TNC.\r\n"
                       "Free software under the GNU General Public License, version 3 or later.\r\n"
                       "\r\n"
                       "Symbol graphics from Xastir (GPL-2.0-or-later), (c) Frank Giannandrea and The Xastir Group.\r\n"
                       "Maps made with Natural Earth. Blue Marble imagery: NASA Earth Observatory (NASA Goddard "
                       "Space Flight Center).\r\n"
                       "See THIRD-PARTY.txt beside the program.",
                   "About DRUVaprs");
}

void TDXfunctions::ClearRawData() {
  Lines_.ClearRaw();
  StationLog_.ClearRawData();
}

TAprsSettingsRec TDXfunctions::CurrentSettings() const { return {ComposerTexts(), SettingsPanel_->Parameters()}; }

TComposerTextsRec TDXfunctions::ComposerTexts() const { return ComposerPanel_->Texts(); }

void TDXfunctions::SetComposerTexts(const TComposerTextsRec& c) { ComposerPanel_->SetTexts(c); }

void TDXfunctions::SetComposerLatitude(const QString& text) { ComposerPanel_->LatitudeEdit->setText(text); }

void TDXfunctions::SetComposerLongitude(const QString& text) { ComposerPanel_->LongitudeEdit->setText(text); }

void TDXfunctions::Compose() { Reporter_.Compose(ComposerTexts(), ComposerPanel_->SymbolIndex()); }

void TDXfunctions::ComposeFromGps() {
  QuietCompose_ = true;
  try {
    Compose();
  } catch (...) {
    QuietCompose_ = false;
    throw;
  }
  QuietCompose_ = false;
}

void TDXfunctions::SettingsSummary() {
  const TTncParametersRec p = SettingsPanel_->Parameters();
  setWindowTitle(ToQString(SettingsSummaryCaption(p.Unproto, p.MyCall, PositionText())));
  // The caption must reach the screen before the wait blocks the event loop.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  Waits_.Wait(3000);
  setWindowTitle("DRUVaprs");
}

void TDXfunctions::CoordinateLookup() {
  if (!Dialogs_.WarningYesNo("",
                             "This action will take you to an Internet web page that helps you figure your latitude "
                             "and longitude.  Your PC needs to be connected to the Internet. Do you want to "
                             "continue?"))
    return;
  if (!Browser_->Open(CoordinateLookupUrl)) Dialogs_.Error("Your PC is probably not connected to the Internet.");
}

void TDXfunctions::SendMessageClick() {
  if (Messenger_.Send(FromQString(MessagingPanel_->AddresseeEdit->text()),
                      FromQString(MessagingPanel_->MessageEdit->text())))
    MessagingPanel_->MessageEdit->clear();
}

void TDXfunctions::SaveSettings() { SaveAprsSettings(AppPath(AprsSettingsFileName), CurrentSettings()); }

void TDXfunctions::SaveFilesOnClose() {
  try {
    SaveQth(AppPath(QthFileName), Qth_->QthTexts());
  } catch (const Error&) {
    Dialogs_.Error("The software could not save Maps configuration. ");
  }
  if (ComposerTexts().Latitude.empty()) Dialogs_.Message("configuration issue");
  SaveSettings();
}

void TDXfunctions::closeEvent(QCloseEvent* e) {
  try {
    Port_.StoreSettings(AppPath(kIniFileName));
  } catch (...) {
    // A settings store that cannot be written is not worth keeping the window open for.
  }
  Link_.Parameters = SettingsPanel_->Parameters();
  Sources_.PacketOff();
  SourceTimer_->stop();
  if (Link_.CloseWindow([this] { SaveFilesOnClose(); }))
    e->accept();
  else
    e->ignore();
}

void TDXfunctions::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (HintPanel_ && HintPanel_->isVisible()) HintPanel_->raise();
}

// ITncLinkView

void TDXfunctions::SetStartLabel(const std::string& text) { RadioPanel_->StartLabel->setText(ToQString(text)); }

void TDXfunctions::HideStartLabelAndRadioPanel() {
  RadioPanel_->StartLabel->hide();
  RadioPanel_->hide();
}

void TDXfunctions::ShowStartLabelAndRadioPanel() {
  RadioPanel_->StartLabel->show();
  RadioPanel_->show();
}

void TDXfunctions::SetBusyCursor(bool busy) {
  if (busy == Busy_) return;
  Busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void TDXfunctions::SelectTab(int pageIndex) { Tabs_->setCurrentIndex(pageIndex); }

void TDXfunctions::SetStatusLine(const std::string& text) { Lines_.ShowStatusText(text); }

void TDXfunctions::StartWaitingTimer() { Timer2_->start(); }

void TDXfunctions::StopWaitingTimer() { Timer2_->stop(); }

void TDXfunctions::SetPacketOnEnabled(bool enabled) { RadioPanel_->PacketOnButton->setEnabled(enabled); }

void TDXfunctions::StartTicker() {
  if (StartTickerHook) StartTickerHook();
}

void TDXfunctions::HideSettingsPanel() { SettingsPanel_->hide(); }

void TDXfunctions::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 1 && panel <= 6) Panels_[static_cast<size_t>(panel - 1)]->setText(ToQString(text));
}

void TDXfunctions::HideHintPanel() { HintPanel_->hide(); }

// IPositionReportView

std::string TDXfunctions::PositionText() const { return FromQString(ReportTab_->PositionEdit->text()); }

void TDXfunctions::SetPositionText(const std::string& text) { ReportTab_->PositionEdit->setText(ToQString(text)); }

void TDXfunctions::ComposeFinished() {
  if (QuietCompose_) return;
  ComposerPanel_->hide();
  SelectTab(TabStations);
}

void TDXfunctions::RepaintMap() {
  if (RepaintMapHook) RepaintMapHook();
}

bool TDXfunctions::PacketOnEnabled() const { return RadioPanel_->PacketOnButton->isEnabled(); }

bool TDXfunctions::CtrlHeld() const {
  if (CtrlKeyHeld) return CtrlKeyHeld();
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

}  // namespace druv
