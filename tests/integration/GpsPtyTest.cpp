// The GPS window with the Qt serial port against tnc-sim's GPS receiver on a real pseudo-terminal:
// NMEA bytes in, a composed position text out, and gps.ini written back by the real adapter.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "common/Files.h"
#include "common/Numbers.h"
#include "gps/GpsPort.h"
#include "gps/ui/TzelGPS.h"
#include "parser/Decoders.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/TQtSerialPort.h"

using namespace druv;

namespace {

// A station's composer in miniature: the inputs the GPS window fills and the text "Compose" makes.
struct TComposer {
  QString Latitude = "0.1", Longitude = "0.1";
  QString PositionText;
  QStringList Handed;
  int Composes = 0;
  void Compose() {
    ++Composes;
    PositionText = QString::fromStdString("!" + FormatLatitude(*ParseDouble(Latitude.toStdString())) + "/" +
                                          FormatLongitude(*ParseDouble(Longitude.toStdString())) + "- via GPS");
  }
};

QString Slurp(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

}  // namespace

class GpsPtyTest : public QObject {
  Q_OBJECT

  QTemporaryDir Dir_;
  QProcess Sim_;
  QString Link_;

  // Starts tnc-sim as a GPS receiver and points gps.ini at it.
  bool StartReceiver(const QStringList& args) {
    Link_ = Dir_.filePath("gps");
    Sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Sim_.start(DRUV_BIN_DIR "/tnc-sim", QStringList{"--gps", "--link", Link_} + args);
    if (!Sim_.waitForStarted(5000) || !Sim_.waitForReadyRead(5000)) return false;
    SetAppFolder(Dir_.path().toStdString());
    QFile ini(Dir_.filePath("gps.ini"));
    if (!ini.open(QIODevice::WriteOnly)) return false;
    ini.write(("[ComPort1]\nPort=" + Link_ + "\nBaudRate=9600\n").toUtf8());
    return true;
  }

 private slots:
  void cleanup() {
    Sim_.terminate();
    Sim_.waitForFinished(3000);
    SetAppFolder(DRUV_BIN_DIR);
  }

  void LiveFixBecomesTheComposedPositionText() {
    QVERIFY(StartReceiver({"--gps-at", "33.5,-97.25", "--rate", "10"}));
    TQtSerialPort port(GpsPortObjectName);
    TScriptedDialogs dialogs;
    TComposer composer;
    {
      TzelGPS window(port, dialogs);
      window.ComposerPositionHook = [&](const QString& lat, const QString& lon) {
        composer.Latitude = lat;
        composer.Longitude = lon;
      };
      window.ComposeHook = [&] { composer.Compose(); };
      QVERIFY(port.IsOpen());
      QCOMPARE(QString::fromStdString(port.Settings().Port), Link_);

      QTRY_COMPARE_WITH_TIMEOUT(composer.PositionText, QString("!3330.00N/09715.00W- via GPS"), 5000);
      QCOMPARE(composer.Latitude, QString("33.5"));
      QCOMPARE(composer.Longitude, QString("-97.25"));
      QCOMPARE(window.GridLabel->text(), QString("EM13jm"));
      QCOMPARE(window.LatitudeLabel->text(), QString("33.500000"));
      QCOMPARE(window.LongitudeLabel->text(), QString("-97.250000"));
      QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d$").match(window.TimeLabel->text()).hasMatch());
      QVERIFY(window.Edit1->text().startsWith("$GPRMC,"));
      QVERIFY(window.Edit1->text().endsWith("\r\n$"));
      QVERIFY(dialogs.Shown.empty());

      // Closing stores the port through the real settings store.
      window.show();
      window.close();
    }
    const QString ini = Slurp(Dir_.filePath("gps.ini"));
    QVERIFY2(ini.contains("[ComPort1]"), qPrintable(ini));
    QVERIFY2(ini.contains("Port=" + Link_), qPrintable(ini));
    QVERIFY2(ini.contains("BaudRate=9600"), qPrintable(ini));
    QVERIFY2(ini.contains("FlowControl=None"), qPrintable(ini));
  }

  // A void fix and a damaged sentence between good ones leave the last good position in place.
  void ReplayedSentencesKeepTheLastGoodPosition() {
    QVERIFY(StartReceiver({"--play", DRUV_FIXTURES_DIR "/gps-sentences.nmea", "--rate", "20"}));
    TQtSerialPort port(GpsPortObjectName);
    TScriptedDialogs dialogs;
    TComposer composer;
    TzelGPS window(port, dialogs);
    window.ComposerPositionHook = [&](const QString& lat, const QString& lon) {
      composer.Handed << lat + " " + lon;
      composer.Latitude = lat;
      composer.Longitude = lon;
    };
    window.ComposeHook = [&] { composer.Compose(); };
    QVERIFY(port.IsOpen());

    // The last RMC sentence has no position but a time of its own: once it shows, all came through.
    QTRY_COMPARE_WITH_TIMEOUT(window.TimeLabel->text(), QString("10:15:03.00"), 5000);
    QCOMPARE(composer.Handed, QStringList{"33.5 -97.25"});
    QCOMPARE(composer.Composes, 2);
    QCOMPARE(composer.PositionText, QString("!3330.00N/09715.00W- via GPS"));
    QCOMPARE(window.GridLabel->text(), QString("EM13jm"));
    QCOMPARE(window.DateLabel->text(), QString("05/06/24"));
    QVERIFY(dialogs.Shown.empty());
  }
};

QTEST_MAIN(GpsPtyTest)
#include "GpsPtyTest.moc"
