// The main window with a source other than the TS-2000: sources.ini at start, Packet ON and OFF
// without a byte to the radio, lines in the lists, the status bar, the "Station Data Source"
// dialog and the file it writes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TFakeTcpSocket.h"
#include "platform/qt/QtIniFile.h"
#include "radio/Ax25Codec.h"
#include "radio/TAprsIsProtocol.h"
#include "radio/TKissDecoder.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"
#include "radio/ui/TSourceDialog.h"
#include "radio/ui/TTncSettingsPanel.h"
#include "tests/platform_qt/ModalDialog.h"
#include "tests/ui/TMainWindowRig.h"

using namespace druv;

namespace {

// The main window with fake sockets for its sources, MYCALL set, and a radio port named in
// zelAPRS.ini; sourcesIni: the text of "sources.ini", none when empty.
struct TSourceRig : TRig {
  std::vector<TFakeTcpSocket*> Sockets;

  explicit TSourceRig(const std::string& sourcesIni = {})
      : TRig({}, false, InstalledQth, Files(sourcesIni)) {
    Window->Sources().SetTransports({[this] {
                                       auto s = std::make_unique<TFakeTcpSocket>();
                                       Sockets.push_back(s.get());
                                       return std::unique_ptr<ITcpSocket>(std::move(s));
                                     },
                                     [] { return std::unique_ptr<ISerialPort>(std::make_unique<TFakeSerialPort>()); }});
    Window->SettingsPanel()->Fields[1]->setText("MYCALL   QQ5ZZZ");
  }
  static std::map<std::string, std::string> Files(const std::string& sourcesIni) {
    std::map<std::string, std::string> files{{"zelAPRS.ini", "[ComPort1]\nPort=/dev/ttyUSB5\nBaudRate=57600\n"}};
    if (!sourcesIni.empty()) files["sources.ini"] = sourcesIni;
    return files;
  }
  QString SourceText() const { return Window->SourceStatus()->text(); }
};

}  // namespace

class SourcesWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void Ts2000IsTheDefaultAndShowsNoSource() {
    TSourceRig rig;
    QVERIFY(rig.Window->Sources().UsesTs2000());
    QVERIFY(rig.Port.IsOpen());
    QVERIFY(rig.Window->SourceStatus()->isHidden());
    rig.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(rig.Port.Written.rfind("TC 1;", 0) == 0);  // the TS-2000's own sequence
    QVERIFY(rig.Sockets.empty());

    // Another source while the TS-2000 is in packet mode: Packet OFF hands the radio back to CAT
    // control, its port closes, and Packet ON is the new source's.
    rig.Port.Written.clear();
    TSourceSettingsRec kiss;
    kiss.Kind = skKissTcp;
    QVERIFY(rig.Window->ChangeSources(kiss));
    QCOMPARE(QString::fromStdString(rig.Port.Written), QString("TC 1;TC 1;"));
    QVERIFY(!rig.Port.IsOpen());
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    rig.Window->RadioPanel()->PacketOnButton->click();
    QCOMPARE(rig.Sockets.size(), size_t(1));
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void KissTcpPacketOnAndOffWithoutTheRadio() {
    TSourceRig rig("[Source]\nKind=kiss-tcp\nHost=192.168.1.20\nPort=8101\n");
    QVERIFY(rig.Dialogs.Unexpected().empty());
    // The radio port is not opened, so a station without a TS-2000 hears nothing about one; its
    // settings are kept for the day the TS-2000 is chosen again.
    QCOMPARE(rig.Port.Opens, 0);
    QCOMPARE(rig.Port.Settings().Port, std::string("/dev/ttyUSB5"));
    QVERIFY(!rig.Window->SourceStatus()->isHidden());
    QCOMPARE(rig.SourceText(), QString("KISS TCP: off (Packet ON connects)"));
    rig.J.Clear();
    rig.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(rig.J.Entries.empty());  // no byte, purge or wait on the radio port
    QCOMPARE(rig.TickersStarted, 1);
    QVERIFY(!rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QCOMPARE(rig.Sockets.size(), size_t(1));
    QCOMPARE(rig.Sockets[0]->Connects, std::vector<std::string>{"192.168.1.20:8101"});
    QCOMPARE(rig.SourceText(), QString("KISS TCP 192.168.1.20:8101: connecting"));

    rig.Sockets[0]->Accept();
    const std::string line = "QQ5AAA>APRS,QQ5DIG*,WIDE2-1:!3300.00N/09700.00Wk";
    rig.Sockets[0]->Send(KissDataFrame(0, *MonitorLineToAx25(line)));
    QAbstractItemModel* model = rig.Window->RawTab()->ListBox7->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QString::fromStdString(line));
    QCOMPARE(rig.Window->Edit4()->text(), QString::fromStdString(line));
    std::vector<std::string> logged;
    rig.Window->StationLogHook = [&](const std::string& l) {
      logged.push_back(l);
      return true;
    };
    rig.Window->PopulateDB();
    QCOMPARE(logged, std::vector<std::string>{line});

    // A dropped link: the countdown runs on the window's own timer.
    rig.Sockets[0]->Drop();
    QVERIFY(rig.SourceText().startsWith("KISS TCP 192.168.1.20:8101: reconnecting in 1 s"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Sockets[0]->Connects.size(), size_t(2), 3000);

    rig.Window->RadioPanel()->PacketOffButton->click();
    QVERIFY(rig.J.Entries.empty());
    QVERIFY(rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QCOMPARE(rig.SourceText(), QString("KISS TCP: off (Packet ON connects)"));

    QVERIFY(rig.Window->ChangeSources(TSourceSettingsRec{}));
    QVERIFY(rig.Port.IsOpen());
    QCOMPARE(rig.Port.Settings().Port, std::string("/dev/ttyUSB5"));
    QVERIFY(rig.Window->SourceStatus()->isHidden());
  }

  void UnreadableKeysAreToldAtStart() {
    TSourceRig rig("[Source]\nKind=kiss\nPasscode=abc\n");
    QCOMPARE(rig.Dialogs.Shown, std::vector<std::string>{"error: sources.ini:\r\nKind=kiss cannot be used; the default "
                                                         "is kept.\r\nPasscode=abc cannot be used; the default is kept."});
    QVERIFY(rig.Window->Sources().UsesTs2000());
  }

  void DialogEditsAndWritesTheFile() {
    TSourceRig rig;
    bool sawDialog = false;
    WhenDialogShows([&](QWidget* w) {
      auto* d = qobject_cast<TSourceDialog*>(w);
      QVERIFY(d);
      sawDialog = true;
      QCOMPARE(d->windowTitle(), QString("Station Data Source"));
      QVERIFY(!d->HostEdit->isEnabled());
      d->KindBox->setCurrentIndex(3);  // APRS-IS
      QVERIFY(d->HostEdit->isEnabled() && d->FilterEdit->isEnabled() && !d->DeviceBox->isEnabled());
      QCOMPARE(d->HostEdit->placeholderText(), QString("rotate.aprs2.net"));
      QCOMPARE(d->PortEdit->placeholderText(), QString("14580"));
      // Around the composer's position.
      QCOMPARE(d->FilterEdit->text(), QString("r/32.5677/-97.2658/100"));
      QCOMPARE(d->CallEdit->placeholderText(), QString("QQ5ZZZ"));
      d->PasscodeButton->click();
      QCOMPARE(d->PasscodeEdit->text(), QString::number(AprsIsPasscode("QQ5ZZZ")));
      // A port out of range keeps the dialog open with the reason.
      d->PortEdit->setText("99999");
      rig.Dialogs.Expect("error", "The port must be a number from 1 to 65535.");
      d->OkButton->click();
      QVERIFY(d->isVisible());
      d->PortEdit->clear();
      d->OkButton->click();
    });
    FindAction(rig.Window.get(), "Station Data Source...")->trigger();
    QVERIFY(sawDialog);
    QVERIFY(rig.Dialogs.Unexpected().empty());
    const TIniSection ini = ReadIniSection(AppPath("sources.ini"), "Source");
    QCOMPARE(ini.at("Kind"), std::string("aprs-is"));
    QCOMPARE(ini.at("Port"), std::string("0"));
    QCOMPARE(ini.at("Passcode"), std::to_string(AprsIsPasscode("QQ5ZZZ")));
    QCOMPARE(ini.at("Filter"), std::string("r/32.5677/-97.2658/100"));
    QCOMPARE(rig.SourceText(), QString("APRS-IS: off (Packet ON connects)"));

    // The next start reads it back; Cancel changes nothing.
    TSourceRig again(*ReadFile(AppPath("sources.ini")));
    QCOMPARE(again.Window->Sources().Settings().Passcode, AprsIsPasscode("QQ5ZZZ"));
    WhenDialogShows([&](QWidget* w) {
      auto* d = qobject_cast<TSourceDialog*>(w);
      QCOMPARE(d->KindBox->currentIndex(), 3);
      QCOMPARE(d->FilterEdit->text(), QString("r/32.5677/-97.2658/100"));
      d->KindBox->setCurrentIndex(1);
      d->CancelButton->click();
    });
    FindAction(again.Window.get(), "Station Data Source...")->trigger();
    QVERIFY(!again.Window->Sources().UsesTs2000());
    QCOMPARE(again.Window->Sources().Settings().Kind, skAprsIs);
  }

  void ChangingTheSourceWhileItRunsReconnects() {
    TSourceRig rig("[Source]\nKind=kiss-tcp\n");
    rig.Window->RadioPanel()->PacketOnButton->click();
    rig.Sockets[0]->Accept();
    TSourceSettingsRec s = rig.Window->Sources().Settings();
    s.Port = 8002;
    QVERIFY(rig.Window->ChangeSources(s));
    QCOMPARE(rig.Sockets.size(), size_t(2));
    QCOMPARE(rig.Sockets[1]->Connects, std::vector<std::string>{"127.0.0.1:8002"});
    QCOMPARE(ReadIniSection(AppPath("sources.ini"), "Source").at("Port"), std::string("8002"));
    QVERIFY(!rig.Window->RadioPanel()->PacketOnButton->isEnabled());
    QCOMPARE(rig.TickersStarted, 1);

    // What QSettings quotes (blanks, a comma, "=", ";") reads back as it was.
    s.Kind = skAprsIs;
    s.Filter = "r/33.5/-97.25/100 b/QQ5*,QQ6*; t=p";
    QVERIFY(rig.Window->ChangeSources(s));
    TSourceRig again(*ReadFile(AppPath("sources.ini")));
    QCOMPARE(again.Window->Sources().Settings(), s);
  }
};

QTEST_MAIN(SourcesWindowTest)
#include "SourcesWindowTest.moc"
