// The main working window: its menu and tabs, the receive path from the port to the lists, the
// controls driving the command sequences, Test Data, Exit and Close, the settings files.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
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
#include <cstdio>

#include "common/Files.h"
#include "common/ProcessFlags.h"
#include "parser/APRSParser.h"
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
#include "radio/ui/TTrafficPanel.h"
#include "tests/ui/TMainWindowRig.h"

using namespace druv;

namespace {

QStringList MenuTexts(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " [off]"));
  return out;
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
    // The two map tools ask before they go online; No opens nothing.
    const std::string online =
        "[OpenStreetMap web site] This action will take you to an Internet web page that helps you create a map you "
        "can use for displaying APRS icons for your area.  Your PC needs to be connected to the Internet. Do you want "
        "to continue?";
    rig.Dialogs.Expect("warning", online, true);
    rig.Dialogs.Expect("warning", online, true);
    rig.Dialogs.Expect("warning", online, false);
    for (const char* item : {"Configure Universal Map", "Show Map", "Enable GPS", "Fast OpenStreetMaps", "OpenStreetMap",
                             "Fast OpenStreetMaps"})
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

  void MapButtonOpensTheMap() {
    TRig rig;
    QStringList shown;
    rig.Window->ShowWindowHook = [&](const char* w) { shown << w; };
    QCOMPARE(rig.Window->MapButton()->text(), QString("Map"));
    QCOMPARE(rig.Window->MapButton()->toolTip(), QString("Show a map of station locations"));
    QTest::mouseClick(rig.Window->MapButton(), Qt::LeftButton);
    QCOMPARE(shown, QStringList{"TAprsMapFm2"});
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
    rig.Window->StationLogHook = [&](const std::string& l) {
      logged.push_back(l);
      return true;
    };
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

  // The cable drops while lines arrive: what was filed stays, the half line goes, one box says how
  // to get back, and Packet ON gets the station receiving again.
  void LostPortIsToldAndPacketOnRecovers() {
    TRig rig;
    rig.Window->show();
    rig.Window->RadioPanel()->PacketOnButton->click();
    rig.Window->Timer2()->start(1);
    QTRY_VERIFY(rig.Window->Link().TncActive);
    QVERIFY(!rig.Window->RadioPanel()->isVisible());
    rig.Port.Receive("QQ5AAA>APRS:>one\rQQ5BBB>APRS:>two\rQQ5CCC>APRS:>ha");

    const std::string box = TTncLink::PortLostText("COM1", "Device disappeared from the system.");
    rig.Dialogs.Expect("error", box);
    rig.Port.Lose();
    QCOMPARE(rig.Dialogs.Shown, (std::vector<std::string>{"error: " + box}));
    QCOMPARE(rig.Window->StatusPanel(5)->text(), QString(" COM1 lost "));
    QVERIFY(rig.Window->RadioPanel()->isVisible());
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QVERIFY(!rig.Window->Link().TncActive);
    QCOMPARE(rig.Window->Lines().RawPackets(), (std::vector<std::string>{"QQ5AAA>APRS:>one", "QQ5BBB>APRS:>two"}));
    rig.Port.Lose();  // still lost: no second box
    QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));

    rig.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(rig.Port.IsOpen());
    QCOMPARE(rig.Window->StatusPanel(5)->text(), QString(" COM1 57600 "));
    QVERIFY(!rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    rig.Port.Receive("QQ5DDD>APRS:>three\r");
    QCOMPARE(rig.Window->Lines().RawPackets().back(), std::string("QQ5DDD>APRS:>three"));
    QCOMPARE(rig.Window->Lines().RawPackets().size(), size_t(3));
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  // Lost during the five seconds after Packet ON: the waiting timer must not switch tabs or claim
  // the TNC is active later, and the hourglass goes.
  void LostPortDuringTheWaitStopsTheWaitingTimer() {
    TRig rig;
    rig.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(rig.Window->Timer2()->isActive());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    rig.Dialogs.Expect("error", TTncLink::PortLostText("COM1", "Input/output error"));
    rig.Port.Lose("Input/output error");
    QVERIFY(!rig.Window->Timer2()->isActive());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QCOMPARE(rig.Window->RadioPanel()->StartLabel->text(), QString("Use Packet ON button to start"));
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  // A burst with lines the parser rejects: counted by the ticker's step, not per line, and kept
  // from one Packet ON to the next.
  void TrafficCountersFollowTheTicker() {
    TRig rig;
    rig.Window->StationLogHook = [](const std::string& line) { return ParsePacket(line, 0) != nullptr; };
    TTrafficPanel* panel = rig.Window->TrafficPanel();
    auto texts = [&] {
      return QStringList{panel->LinesLabel->text(), panel->PacketsLabel->text(), panel->RejectedLabel->text(),
                         panel->LastLineLabel->text()};
    };
    QCOMPARE(texts(), (QStringList{"Lines: 0", "Packets: 0", "Rejected: 0", "Last line: none"}));

    rig.Port.Receive("cmd:\r");  // before Packet ON: not counted
    rig.Window->PopulateDB();
    rig.Window->RadioPanel()->PacketOnButton->click();
    QCOMPARE(texts(), (QStringList{"Lines: 0", "Packets: 0", "Rejected: 0", "Last line: none"}));

    rig.Port.Receive(
        "QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk\r\n"
        "EH?\r\n"
        "QQ5BBB-9>APRS:>status\r\n"
        "QQ5AAAA-15>APRS:>source call too long\r\n"
        "QQ5CCC>APRS:>Net tonight\r\n");
    QCOMPARE(texts()[0], QString("Lines: 0"));  // nothing until the ticker's step
    rig.Clock.Local = *EncodeDateTime(2026, 3, 1, 14, 5, 9);
    rig.Window->PopulateDB();
    QCOMPARE(texts(), (QStringList{"Lines: 5", "Packets: 3", "Rejected: 2", "Last line: 14:05:09"}));
    QCOMPARE(rig.Window->Lines().RawPackets().size(), size_t(4));  // EH? is no raw packet line

    // A quiet tick keeps the time of the last line.
    rig.Clock.Local = *EncodeDateTime(2026, 3, 1, 14, 7, 0);
    rig.Window->PopulateDB();
    QCOMPARE(texts()[3], QString("Last line: 14:05:09"));

    rig.Window->RadioPanel()->PacketOffButton->click();
    rig.Window->RadioPanel()->PacketOnButton->click();
    QCOMPARE(texts(), (QStringList{"Lines: 0", "Packets: 0", "Rejected: 0", "Last line: none"}));
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

  void QthFileAtStartAndClose() {
    {
      TRig rig(std::string(), false, nullptr);  // not there: said so, and empty fields
      QCOMPARE(rig.Dialogs.Shown, std::vector<std::string>{"error: Your Maps configuration file is missing."});
      QCOMPARE(rig.Window->QthFields().QthTexts(), TQthTextsRec());
    }
    {
      TRig rig(std::string(), false, "48.5\r\n");  // one line: no box, no longitude
      QVERIFY(rig.Dialogs.Shown.empty());
      QCOMPARE(rig.Window->QthFields().QthTexts(), (TQthTextsRec{"48.5", ""}));
    }
    {
      // The fields as the other windows left them go back into the file at close.
      TQthTexts fields;
      TRig rig;
      rig.Window = std::make_unique<TDXfunctions>(rig.Port, rig.Dialogs, rig.Waits, rig.Clock, &fields);
      QCOMPARE(fields.QthTexts(), (TQthTextsRec{"32.5677", "-97.2658"}));
      fields.SetQthTexts({"-33.5", "151.25"});
      rig.Window->show();
      rig.Window->close();
      QCOMPARE(*ReadFile(AppPath("qth.cfg")), std::string("-33.5\r\n151.25\r\n"));
    }
  }

  void ClosingSavesEveryFileEvenWithoutARadio() {
    TRig rig;
    rig.Port.SetOpenState(false);
    rig.Window->SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
    rig.Window->SetComposerTexts({"-33.5", "151.25", "Sydney"});
    std::remove(AppPath("qth.cfg").c_str());
    rig.Window->show();
    rig.Window->close();
    QVERIFY(rig.Window->isHidden());
    QVERIFY(rig.Dialogs.Shown.empty());
    QCOMPARE(rig.Port.StoredPath, AppPath("zelAPRS.ini"));
    QCOMPARE(*ReadFile(AppPath("qth.cfg")), std::string("32.5677\r\n-97.2658\r\n"));
    const std::string settings = *ReadFile(AppPath("aprssettings.txt"));
    QVERIFY(settings.rfind("-33.5\r\n151.25\r\nSydney\r\nUNPROTO  APRS VIA APRS,WIDE2-1\r\nMYCALL   QQ5AAA-9\r\n", 0) == 0);
  }

  void ClosingWhenAFileCannotBeWritten() {
    {
      // "qth.cfg" fails: said so, and closing goes on.
      TRig rig;
      std::remove(AppPath("qth.cfg").c_str());
      QDir(rig.Dir.path()).mkdir("qth.cfg");
      rig.Dialogs.Expect("error", "The software could not save Maps configuration. ");
      rig.Window->SetComposerTexts({"1.5", "2.5", "x"});
      rig.Window->show();
      rig.Window->close();
      QVERIFY(rig.Dialogs.Unexpected().empty());
      QVERIFY(rig.Window->isHidden());
      QVERIFY(ReadFile(AppPath("aprssettings.txt"))->rfind("1.5\r\n", 0) == 0);
      QCOMPARE(QString::fromStdString(rig.Port.Written), QString("TC 1;").repeated(4));
    }
    {
      // "aprssettings.txt" fails: the file error is shown, the line stays with the TNC, the window open.
      TRig rig;
      std::remove(AppPath("aprssettings.txt").c_str());
      QDir(rig.Dir.path()).mkdir("aprssettings.txt");
      rig.Window->show();
      rig.Window->close();
      QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
      QVERIFY(rig.Dialogs.Shown[0].rfind("error: Cannot write file ", 0) == 0);
      QVERIFY(!rig.Window->isHidden());
      QCOMPARE(QString::fromStdString(rig.Port.Written), QString("TC 1;").repeated(2));
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
