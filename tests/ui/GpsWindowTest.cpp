// The GPS window over a fake port: its port defaults and settings file, the Status marks, the show
// and close behaviour, and what each kind of sentence changes, down to the composer hooks.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "common/Files.h"
#include "gps/GpsFix.h"
#include "gps/ui/TzelGPS.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TScriptedDialogs.h"

using namespace druv;

namespace {

const char* const kMunich = "$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$";

// A GPS window in an application folder of its own, its hooks recorded.
struct TRig {
  QTemporaryDir Dir;
  TFakeSerialPort Port;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TzelGPS> Window;
  QStringList Positions;  // "latitude longitude" per hand-over to the composer
  int Composes = 0;

  explicit TRig(bool openFails = false, const TIniSection* ini = nullptr) {
    SetAppFolder(Dir.path().toStdString());
    Port.OpenFails = openFails;
    if (ini) {
      WriteFileAtomic(AppPath("gps.ini"), "[ComPort1]\r\n");
      Port.IniToLoad = *ini;
    }
    Window = std::make_unique<TzelGPS>(Port, Dialogs);
    Window->ComposerPositionHook = [this](const QString& lat, const QString& lon) { Positions << lat + " " + lon; };
    Window->ComposeHook = [this] { ++Composes; };
  }
  ~TRig() {
    Window.reset();
    SetAppFolder(DRUV_BIN_DIR);
  }
  // Lets queued error boxes come up.
  void Settle() { QTest::qWait(1); }
  QStringList Marks() const {
    return {Window->Connected1->isChecked() ? "Connected" : "", Window->NotConnected1->isChecked() ? "Not Connected" : ""};
  }
};

QStringList MenuTexts(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << a->text();
  return out;
}

const QStringList kConnected{"Connected", ""};
const QStringList kNotConnected{"", "Not Connected"};

}  // namespace

class GpsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CreationOpensTheGpsPortWithItsDefaults() {
    TRig rig;
    TzelGPS& w = *rig.Window;
    QCOMPARE(w.windowTitle(), QString("zelGPS 1.00"));
    const TSerialSettingsRec& s = rig.Port.Settings();
    QCOMPARE(s.Port, std::string("COM3"));
    QCOMPARE(s.BaudRate, 9600);
    QCOMPARE(s.DataBits, 8);
    QCOMPARE(s.StopBits, sbOne);
    QCOMPARE(s.Parity, paNone);
    QCOMPARE(s.FlowControl, fcNone);
    QVERIFY(s.HoldDtrRtsInactive);
    QVERIFY(rig.Port.IsOpen());
    QVERIFY(rig.Port.LoadedPath.empty());
    QCOMPARE(rig.Marks(), kConnected);
    QVERIFY(!w.isVisible());

    const auto tops = w.menuBar()->actions();
    QCOMPARE(tops.size(), 3);
    QCOMPARE(tops[0]->text(), QString("File"));
    QCOMPARE(MenuTexts(tops[0]->menu()), QStringList{"Exit"});
    QCOMPARE(tops[1]->text(), QString("Configure"));
    QCOMPARE(MenuTexts(tops[1]->menu()), QStringList{"Serial Port Configure"});
    QCOMPARE(tops[2]->text(), QString("Status"));
    QCOMPARE(MenuTexts(tops[2]->menu()), (QStringList{"Connected", "Not Connected"}));

    QCOMPARE(w.LatitudeLabel->toolTip(), QString("Latitude (decimal)"));
    QCOMPARE(w.LongitudeLabel->toolTip(), QString("Longitude (decimal)"));
    QCOMPARE(w.TimeLabel->toolTip(), QString("UTC time"));
    QCOMPARE(w.GridLabel->toolTip(), QString("Maidenhead Grid determined from the latitude / longitude"));
    QCOMPARE(w.CountyLabel->text(), QString("County"));
    QCOMPARE(w.StateLabel->text(), QString("State"));
    QVERIFY(!w.Terminal1->isEnabled());
    QVERIFY(w.Edit1->isReadOnly());
  }

  void SettingsFileIsLoadedAtCreationAndStoredOnClose() {
    const TIniSection ini{{"Port", "/dev/ttyUSB1"}, {"BaudRate", "4800"}};
    TRig rig(false, &ini);
    QCOMPARE(rig.Port.LoadedPath, AppPath("gps.ini"));
    QCOMPARE(rig.Port.Settings().Port, std::string("/dev/ttyUSB1"));
    QCOMPARE(rig.Port.Settings().BaudRate, 4800);
    // What the file does not say keeps the GPS defaults.
    QCOMPARE(rig.Port.Settings().FlowControl, fcNone);
    QVERIFY(rig.Port.Settings().HoldDtrRtsInactive);
    QVERIFY(rig.Port.IsOpen());

    rig.Window->show();
    QVERIFY(rig.Port.StoredPath.empty());
    rig.Window->close();
    QVERIFY(!rig.Window->isVisible());
    QCOMPARE(rig.Port.StoredPath, AppPath("gps.ini"));
    QCOMPARE(rig.Port.StoredIni.at("Port"), std::string("/dev/ttyUSB1"));
    QCOMPARE(rig.Port.StoredIni.at("BaudRate"), std::string("4800"));
    QCOMPARE(rig.Port.StoredIni.at("FlowControl"), std::string("None"));
    // Closing hides the window; the receiver keeps feeding the composer.
    QVERIFY(rig.Port.IsOpen());
  }

  void StatusMenuAndShowFollowThePort() {
    TRig rig;
    rig.Window->NotConnected1->trigger();
    QVERIFY(!rig.Port.IsOpen());
    QCOMPARE(rig.Marks(), kNotConnected);
    rig.Window->Connected1->trigger();
    QVERIFY(rig.Port.IsOpen());
    QCOMPARE(rig.Marks(), kConnected);

    // Showing the window closes and reopens the port, even after "Not Connected".
    rig.Window->NotConnected1->trigger();
    const int opens = rig.Port.Opens;
    rig.Window->show();
    QCOMPARE(rig.Port.Opens, opens + 1);
    QVERIFY(rig.Port.IsOpen());
    QCOMPARE(rig.Marks(), kConnected);

    // "Exit" disconnects and hides; the settings are kept.
    rig.Window->Exit1->trigger();
    QVERIFY(!rig.Port.IsOpen());
    QVERIFY(!rig.Window->isVisible());
    QCOMPARE(rig.Marks(), kNotConnected);
    QCOMPARE(rig.Port.StoredPath, AppPath("gps.ini"));
    rig.Settle();
    QCOMPARE(rig.Dialogs.Shown, std::vector<std::string>{});
  }

  void MissingReceiverIsReportedOnlyWhenTheWindowIsShown() {
    TRig rig(true);
    rig.Settle();
    QVERIFY(rig.Dialogs.Shown.empty());
    QCOMPARE(rig.Marks(), kNotConnected);

    rig.Window->show();
    rig.Settle();
    QCOMPARE(rig.Dialogs.Shown, std::vector<std::string>{"error: Unable to open com port COM3."});
    QCOMPARE(rig.Marks(), kNotConnected);
    rig.Window->Connected1->trigger();
    rig.Settle();
    QCOMPARE(rig.Dialogs.Shown.size(), size_t{2});
    QCOMPARE(rig.Marks(), kNotConnected);
  }

  void SetupDialogIsKeptWhenConfirmed() {
    TRig rig;
    rig.Port.SetupConfirms = false;
    rig.Window->SerialPortConfigure1->trigger();
    QCOMPARE(rig.Port.SetupDialogs, 1);
    QVERIFY(rig.Port.StoredPath.empty());
    rig.Port.SetupConfirms = true;
    rig.Window->NotConnected1->trigger();
    rig.Window->SerialPortConfigure1->trigger();
    QCOMPARE(rig.Port.StoredPath, AppPath("gps.ini"));
    // Confirming opens a closed port.
    QCOMPARE(rig.Marks(), kConnected);
  }

  void ExampleSentenceThroughThePort() {
    TRig rig;
    // Split reads, with another sentence before it; the sentence ends with the next "$".
    rig.Port.Receive("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n$GPR");
    rig.Port.Receive("MC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n");
    QCOMPARE(rig.Composes, 0);
    rig.Port.Receive("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n");
    TzelGPS& w = *rig.Window;
    QCOMPARE(w.Edit1->text(), QString(kMunich));
    QCOMPARE(w.LatitudeLabel->text(), QString("48.117300"));
    QCOMPARE(w.LongitudeLabel->text(), QString("11.516667"));
    QCOMPARE(w.TimeLabel->text(), QString("12:35:19.00"));
    QCOMPARE(w.DateLabel->text(), QString("03/23/94"));
    QCOMPARE(w.GridLabel->text(), QString("JN58sc"));
    QCOMPARE(w.CountyLabel->text(), QString("County"));
    QCOMPARE(rig.Positions, QStringList{"48.1173 11.5166666666667"});
    QCOMPARE(rig.Composes, 1);
    QCOMPARE(GpsLatitude, 48.1173);
    QVERIFY(qAbs(GpsTimeHours - (12 + 35 / 60.0 + 19 / 3600.0)) < 1e-9);
    // A receiver that combines satellite systems names the same sentence "$GNRMC".
    rig.Port.Receive("$GNRMC,123600.00,A,3300.000,N,09700.000,W,0.0,0.0,230394,,*hh\r\n$");
    QCOMPARE(rig.Composes, 2);
    QCOMPARE(w.GridLabel->text(), QString("EM13ma"));
  }

  // Each row starts after the example sentence has been taken.
  void WhatEachSentenceChanges_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("position");  // handed to the composer, "" for none
    QTest::addColumn<int>("composes");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("shown");        // the text box shows the sentence
    QTest::addColumn<QString>("box");

    const QString munich = "JN58sc", noon = "12:35:19.00";
    QTest::newRow("valid, west and north")
        << "$GPRMC,010203.00,A,3300.000,N,09700.000,W,0,0,010124,,*hh\r\n$" << "33 -97" << 1 << "EM13ma"
        << "01:02:03.00" << true << "";
    QTest::newRow("valid checksum") << "$GPRMC,010203.00,A,3300.000,S,07000.000,W,0,0,010124,,*3D\r\n$"
                                    << "-33 -70" << 1 << "FF57aa" << "01:02:03.00" << true << "";
    QTest::newRow("void fix: time only, no compose")
        << "$GPRMC,010203.00,V,3300.000,N,09700.000,W,0,0,010124,,*hh\r\n$" << "" << 0 << munich << "01:02:03.00"
        << true << "";
    QTest::newRow("checksum mismatch: ignored whole")
        << "$GPRMC,010203.00,A,3300.000,S,07000.000,W,0,0,010124,,*64\r\n$" << "" << 0 << munich << noon << false
        << "";
    QTest::newRow("empty latitude still composes")
        << "$GPRMC,010203.00,A,,N,09700.000,W,0,0,010124,,*hh\r\n$" << "" << 1 << munich << "01:02:03.00" << true
        << "";
    QTest::newRow("six-character time") << "$GPRMC,010203,A,3300.000,N,09700.000,W,0,0,010124,,*hh\r\n$"
                                        << "33 -97" << 1 << "EM13ma" << noon << true << "";
    QTest::newRow("short sentence") << "$GPRMC,010203.00,A,3300.000,N\r\n$" << "" << 0 << munich << noon << true
                                    << "error: Incomplete GPS sentence: 6 fields, 10 expected.";
  }

  void WhatEachSentenceChanges() {
    QFETCH(QString, sentence);
    QFETCH(QString, position);
    QFETCH(int, composes);
    QFETCH(QString, grid);
    QFETCH(QString, time);
    QFETCH(bool, shown);
    QFETCH(QString, box);
    TRig rig;
    rig.Port.Receive(kMunich);
    rig.Positions.clear();
    rig.Composes = 0;

    rig.Port.Receive(sentence.toStdString() + "GPVTG\r\n");
    rig.Settle();
    QCOMPARE(rig.Positions, position.isEmpty() ? QStringList{} : QStringList{position});
    QCOMPARE(rig.Composes, composes);
    QCOMPARE(rig.Window->GridLabel->text(), grid);
    QCOMPARE(rig.Window->TimeLabel->text(), time);
    QCOMPARE(rig.Window->Edit1->text(), shown ? sentence : QString(kMunich));
    QCOMPARE(rig.Dialogs.Shown, box.isEmpty() ? std::vector<std::string>{} : std::vector<std::string>{box.toStdString()});
    // The labels always show the position that the composer last got.
    if (!position.isEmpty()) QCOMPARE(rig.Window->LatitudeLabel->text().toDouble(), position.split(' ')[0].toDouble());
  }

  // A box's event loop lets more sentences in; they must not stack further boxes.
  void ShortSentencesDoNotPileUpBoxes() {
    struct TNestingDialogs : TScriptedDialogs {
      TFakeSerialPort* Port = nullptr;
      void Error(const std::string& text) override {
        TScriptedDialogs::Error(text);
        if (Shown.size() == 1) {
          Port->Receive("GPRMC,1,2\r\n$GPRMC,3,4\r\n$");
          QTest::qWait(1);
        }
      }
    };
    QTemporaryDir dir;
    SetAppFolder(dir.path().toStdString());
    TFakeSerialPort port;
    TNestingDialogs dialogs;
    dialogs.Port = &port;
    {
      TzelGPS w(port, dialogs);
      port.Receive("$GPRMC,a,b\r\n$");
      QTest::qWait(1);
      QCOMPARE(dialogs.Shown.size(), size_t{1});
      // Once the box is gone, the next short sentence is reported again.
      port.Receive("GPRMC,5\r\n$");
      QTest::qWait(1);
      QCOMPARE(dialogs.Shown.size(), size_t{2});
    }
    SetAppFolder(DRUV_BIN_DIR);
  }

  void HalfSentenceBeforeADisconnectIsDropped() {
    TRig rig;
    rig.Port.Receive("$GPRMC,123519.00,A,4807.0");
    rig.Window->NotConnected1->trigger();
    rig.Window->Connected1->trigger();
    rig.Port.Receive("38,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$");
    QCOMPARE(rig.Composes, 0);
    rig.Port.Receive(std::string(kMunich).substr(1) + "GP");
    QCOMPARE(rig.Composes, 1);
  }
};

QTEST_MAIN(GpsWindowTest)
#include "GpsWindowTest.moc"
