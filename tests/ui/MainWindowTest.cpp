// The main working window: its menu and tabs, the receive path from the port to the lists, the
// controls driving the command sequences, Test Data, Exit and Close, the settings files.
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/Files.h"
#include "common/ProcessFlags.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingBrowser.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/TestData.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"
#include "radio/ui/TStartupHintPanel.h"
#include "radio/ui/TTerminalTab.h"
#include "radio/ui/TTerminalView.h"
#include "radio/ui/TTncSettingsPanel.h"

using namespace druv;

namespace {

// A main window over fakes, in an application folder of its own.
struct TRig {
  QTemporaryDir Dir;
  TJournal J;
  TFakeSerialPort Port{&J};
  TScriptedDialogs Dialogs{&J};
  TRecordingWaits Waits;
  TFakeClock Clock;
  TRecordingBrowser Browser;
  std::unique_ptr<TDXfunctions> Window;
  int TickersStarted = 0;

  explicit TRig(const std::string& settings = std::string(), bool expectMyCallBox = false) {
    SetAppFolder(Dir.path().toStdString());
    WriteFileAtomic(AppPath("aprssettings.txt"),
                    settings.empty() ? *ReadFile(DRUV_SOURCE_DIR "/data/aprssettings.txt") : settings);
    if (expectMyCallBox)
      Dialogs.Expect("error",
                     "To begin, you MUST enter MYCALL data (Preferences> APRS TNC Settings) and your position info "
                     "(Preferences>Create a Position Packet. ");
    Window = std::make_unique<TDXfunctions>(Port, Dialogs, Waits, Clock);
    Window->SetBrowser(Browser);
    Window->StartTickerHook = [this] { ++TickersStarted; };
    J.Clear();
  }
  ~TRig() { SetAppFolder(DRUV_BIN_DIR); }
};

QStringList MenuTexts(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " [off]"));
  return out;
}

QAction* FindAction(QMainWindow* w, const QString& text) {
  for (QAction* top : w->menuBar()->actions())
    for (QAction* a : top->menu()->actions())
      if (a->text() == text) return a;
  return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void MenuMatchesItsTable() {
    TRig rig;
    QMenuBar* bar = rig.Window->menuBar();
    QStringList tops;
    for (QAction* a : bar->actions()) tops << a->text();
    QCOMPARE(tops, (QStringList{"Exit", "Preferences", "Map", "Print", "GPS", "Send", "Digi-Repeater", "Tools", "APRS",
                                "Help", "About"}));
    auto menu = [&](int i) { return MenuTexts(bar->actions()[i]->menu()); };
    QCOMPARE(menu(0), QStringList{"Exit"});
    QCOMPARE(menu(1), (QStringList{"Set TS200 Radio Com Port", "Station Data Source...", "-",
                                   "Configure Universal Map", "-", "APRS TNC Settings",
                                   "Clear APRS Settings (Return to Internal TNC Default settings)", "-",
                                   "Create a Position Packet"}));
    QCOMPARE(menu(2), (QStringList{"Show Map", "Google Map [off]", "Regular Map [off]"}));
    QCOMPARE(menu(3), (QStringList{"Print Map [off]", "Print Preview [off]"}));
    QCOMPARE(menu(4), QStringList{"Enable GPS"});
    QCOMPARE(menu(5), (QStringList{"Send a position packet ( Hold down Ctrl key)",
                                   "Toggle a Beacon every 10 minutes (Hold down Ctrl key)"}));
    QCOMPARE(menu(6), QStringList{"Enable TS-2000 as a DigiRepeater"});
    QCOMPARE(menu(7), (QStringList{"Fast OpenStreetMaps", "OpenStreetMap", "Test Data",
                                   "Current UNPROTO / MYCALL / MESSAGE"}));
    QCOMPARE(menu(8).size(), 3);
    QCOMPARE(menu(8).mid(1), (QStringList{"DRUV News", "DRUV Download"}));

    // Items that open windows name them; links and help go to the shell.
    QStringList shown;
    rig.Window->ShowWindowHook = [&](const char* w) { shown << w; };
    for (const char* item : {"Configure Universal Map", "Show Map", "Enable GPS", "Fast OpenStreetMaps", "OpenStreetMap"})
      FindAction(rig.Window.get(), item)->trigger();
    QCOMPARE(shown, (QStringList{"TaprsConfigFm", "TAprsMapFm2", "TzelGPS", "TOpenMapFm", "TOpenStreetMapFm"}));
    for (QAction* a : bar->actions()[8]->menu()->actions()) a->trigger();
    FindAction(rig.Window.get(), "Help")->trigger();
    QCOMPARE(rig.Browser.Opened.size(), size_t(4));
    QCOMPARE(QString::fromStdString(rig.Browser.Opened[3]), rig.Dir.path() + "/DRUVaprs.chm");

    rig.Dialogs.Expect("error", "Function is not yet available.");
    FindAction(rig.Window.get(), "Enable TS-2000 as a DigiRepeater")->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void TabsAndStartState() {
    TRig rig;
    QTabWidget* tabs = rig.Window->PageControl();
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i) names << tabs->tabText(i);
    QCOMPARE(names.indexOf("RAW Packets"), 0);
    QCOMPARE(names.indexOf("Stations"), 7);
    QCOMPARE(names.indexOf("Terminal"), 8);
    for (const char* t : {"Weather", "WX Stns", "Messages", "Third-Party", "Positiion Report", "Stuff"})
      QVERIFY2(names.contains(t), t);
    QVERIFY(!tabs->isTabVisible(names.indexOf("Spreadsheet")));
    QVERIFY(!tabs->isTabVisible(names.indexOf("Testing")));
    QCOMPARE(rig.Window->windowTitle(), QString("DRUVaprs 0.97"));
    QCOMPARE(rig.Window->StatusPanel(1)->text(), QString("DRUVaprs 0.97"));
    QCOMPARE(rig.Window->StatusPanel(6)->text(), QString("MYCALL   XXXX"));
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QVERIFY(rig.Window->SettingsPanel()->isHidden());
    QVERIFY(!rig.Window->HintPanel()->isHidden());
    QVERIFY(rig.Port.IsOpen());  // opened with the defaults when the window is created
    QCOMPARE(rig.Window->Edit4()->text(),
             QString("Turn TNC on using the Packet ON button to start receiving APRS packets  . . . set port first "
                     "please."));
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void ShortMyCallAndMissingSettings() {
    {
      std::string settings = *ReadFile(DRUV_SOURCE_DIR "/data/aprssettings.txt");
      settings.replace(settings.find("MYCALL   XXXX"), 13, "MYCALL");
      TRig rig(settings, true);
      QVERIFY(rig.Dialogs.Unexpected().empty());
      QVERIFY(rig.Dialogs.AllExpectedShown());
    }
    {
      std::string settings = *ReadFile(DRUV_SOURCE_DIR "/data/aprssettings.txt");
      settings.replace(settings.find("MYCALL   XXXX"), 13, "MYCALL ");
      TRig rig(settings);
      QVERIFY(rig.Dialogs.Unexpected().empty());
    }
    {
      // Too short a file: the error is shown and the rest of the creation is skipped.
      TRig rig("one\r\ntwo\r\n");
      QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
      QVERIFY(rig.Window->PageControl()->isTabVisible(5));
      QCOMPARE(rig.Window->StatusPanel(6)->text(), QString());
    }
  }

  void ReceivedBytesReachTerminalRawListAndStatusLine() {
    TRig rig;
    rig.Port.Receive("cmd:\r\nQQ5AAA>APRS,WIDE2-1 <UI C>:>hello\r\nEH?\r\nQQ5AAA>APRS,WIDE2-1 <UI C>:>hello\r\n");
    auto* model = rig.Window->RawTab()->ListBox7->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(1, 0).data().toString(), QString("QQ5AAA>APRS,WIDE2-1 <UI C>:>hello"));
    QCOMPARE(rig.Window->Edit4()->text(), QString("QQ5AAA>APRS,WIDE2-1 <UI C>:>hello"));
    QCOMPARE(rig.Window->Lines().Pending(), size_t(4));
    QVERIFY(rig.Window->TerminalTab()->Terminal->ScreenText().contains("EH?\nQQ5AAA>APRS"));

    std::vector<std::string> logged;
    rig.Window->StationLogHook = [&](const std::string& l) { logged.push_back(l); };
    rig.Window->PopulateDB();
    rig.Window->PopulateDB();
    QCOMPARE(logged.size(), size_t(4));
    QCOMPARE(QString::fromStdString(logged[0]), QString("cmd:"));

    rig.Window->RawTab()->ClearButton->click();
    QCOMPARE(model->rowCount(), 0);
  }

  void KeysTypedGoToThePortOneByOne() {
    TRig rig;
    QTest::keyClicks(rig.Window->TerminalTab()->Terminal, "MH");
    QTest::keyClick(rig.Window->TerminalTab()->Terminal, Qt::Key_Return);
    QTest::keyClick(rig.Window->TerminalTab()->Terminal, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(Visible(rig.Port.Written)), QString("MH<CR><03>"));
    QCOMPARE(rig.Port.Writes, 4);
  }

  void PacketOnThroughTheWindow() {
    TRig rig;
    WorkerStopFlag = 1;
    rig.Window->SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
    rig.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(rig.Port.Written.find("MYCALL   QQ5AAA-9\r\n") != std::string::npos);
    QVERIFY(!rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QCOMPARE(rig.Window->PageControl()->currentIndex(), 8);
    QCOMPARE(rig.Window->Edit4()->text(), QString("waiting on data.."));
    QVERIFY(rig.Window->Timer2()->isActive());
    QCOMPARE(rig.TickersStarted, 1);
    QCOMPARE(int(WorkerStopFlag.load()), 0);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // The settings file now holds the new call sign.
    QVERIFY(ReadFile(AppPath("aprssettings.txt"))->find("MYCALL   QQ5AAA-9\r\n") != std::string::npos);

    QCOMPARE(rig.Window->Timer2()->interval(), 5000);
    QVERIFY(rig.Window->Timer2()->isSingleShot());
    rig.Window->Timer2()->start(1);
    QTRY_VERIFY(rig.Window->Link().TncActive);
    QVERIFY(!rig.Window->Timer2()->isActive());
    QCOMPARE(rig.Window->PageControl()->currentIndex(), 7);
    QCOMPARE(rig.Window->Edit4()->text(), QString("waiting on data .."));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(rig.Window->RadioPanel()->isHidden());
    QVERIFY(rig.Window->Lines().Pending() == 0);  // program messages are not station-log lines

    rig.Window->RadioPanel()->PacketOffButton->click();
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QVERIFY(!rig.Window->Link().TncActive);
  }

  void AdvancedParametersUnlockWithOther() {
    TRig rig;
    auto* p = rig.Window->SettingsPanel();
    QVERIFY(!p->Fields[0]->isReadOnly() && !p->Fields[1]->isReadOnly());
    for (int i = 2; i < 10; ++i) QVERIFY(p->Fields[i]->isReadOnly());
    QVERIFY(!p->AdvancedResetButtons[0]->isEnabled());
    p->OtherBox->setChecked(true);
    for (int i = 2; i < 10; ++i) QVERIFY(!p->Fields[i]->isReadOnly());
    QVERIFY(p->AdvancedResetButtons[6]->isEnabled());
    p->OtherBox->setChecked(false);
    QVERIFY(p->Fields[9]->isReadOnly());
    QCOMPARE(p->SetTncButton->toolTip(), QString("Set and save all APRS Parameters"));
  }

  void PortSetupHidesTheHintPanel() {
    TRig rig;
    rig.Window->show();
    rig.Window->HintPanel()->SetPortButton->click();
    QVERIFY(rig.Window->HintPanel()->isHidden());
    QCOMPARE(rig.Window->StatusPanel(5)->text(), QString(" COM1 57600 "));
  }

  void TestDataAppendsSixLinesEachTime() {
    TRig rig;
    const std::string question =
        "[Dummy APRS Data] This action sends dummy APRS data to the software for offline testing of the programs "
        "maps. You can see the posted data in the RAW Packets folder. Do you want to continue?";
    rig.Dialogs.Expect("warning", question, false);
    rig.Dialogs.Expect("warning", question, true);
    rig.Dialogs.Expect("information", "Test packet data was sent to the RAW Packets folder list.");
    rig.Dialogs.Expect("warning", question, true);
    rig.Dialogs.Expect("information", "Test packet data was sent to the RAW Packets folder list.");
    for (int i = 0; i < 3; ++i) FindAction(rig.Window.get(), "Test Data")->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    const auto& raw = rig.Window->Lines().RawPackets();
    QCOMPARE(raw.size(), size_t(12));
    QCOMPARE(std::count(raw.begin(), raw.end(), std::string(TestDataLines[0])), 4);
    QCOMPARE(raw[11], std::string(TestDataLines[5]));  // trailing blank kept
    QCOMPARE(rig.Window->RawTab()->ListBox7->model()->rowCount(), 12);
    QCOMPARE(rig.Window->Lines().Pending(), size_t(0));
  }

  void ExitAndCloseLeaveTheWindowWithOrWithoutARadio() {
    for (bool portOpen : {true, false}) {
      TRig rig;
      rig.Port.SetOpenState(portOpen);
      rig.Window->show();
      WorkerStopFlag = 0;
      FindAction(rig.Window.get(), "Exit")->trigger();
      QVERIFY(rig.Window->isHidden());
      QCOMPARE(int(WorkerStopFlag.load()), 1);
      QVERIFY(rig.Dialogs.Unexpected().empty());
      QVERIFY(QApplication::overrideCursor() == nullptr);
      QVERIFY(FileExists(AppPath("aprssettings.txt")));
      QCOMPARE(rig.Port.StoredPath, AppPath("zelAPRS.ini"));
      if (portOpen) QCOMPARE(QString::fromStdString(rig.Port.Written), QString("TC 1;").repeated(6));
    }
    TRig rig;
    rig.Window->show();
    WorkerStopFlag = 0;
    rig.Window->CloseButton()->click();
    QVERIFY(rig.Window->isHidden());
    QCOMPARE(int(WorkerStopFlag.load()), 1);
    QCOMPARE(QString::fromStdString(rig.Port.Written), QString("TC 1;").repeated(4));
  }

  void ClosingWithAnEmptyLatitudeSaysSoAndStillSaves() {
    TRig rig;
    TComposerTextsRec c = rig.Window->ComposerTexts();
    c.Latitude.clear();
    rig.Window->SetComposerTexts(c);
    rig.Dialogs.Expect("message", "configuration issue");
    rig.Window->show();
    rig.Window->close();
    QVERIFY(rig.Window->isHidden());
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(ReadFile(AppPath("aprssettings.txt"))->rfind("\r\n-97.2658\r\n", 0) == 0);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
