// "Packet ON" over a real pseudo-terminal: the main window with the Qt serial port against
// tnc-sim. The radio must receive exactly the programmed sequence, and the monitor lines it plays
// back (whatever their line ends) must reach the raw packet list and the status line.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/Files.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/TQtSerialPort.h"
#include "tests/integration/StationFolder.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"

using namespace druv;

namespace {

const char* const kPacketOnBytes =
    "TC 1;"                                        // back to CAT control, then purge
    "TC 1;SB1;"                                    // sub receiver on
    "TC 0;"                                        // the line to the TNC
    "\x03^C\n\r"                                   // break-in
    "TC 0;\r\n"
    "UNPROTO  APRS VIA APRS,WIDE2-1\r\n"
    "MYCALL   XXXX\r\n"
    "FLOW OFF\r\n"
    "HBAUD 1200\r\n"
    "PACLEN 250\r\n"
    "PACTIME AFTER 0\r\n"
    "XFLOW OFF\r\n"
    "MON ON\r\n"
    "MCOM ON\r\n"
    "MCON ON\r\n"
    "AUTOLF ON\r\n"
    "UNPROTO  APRS VIA APRS,WIDE2-1\r\n";

QByteArray Slurp(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class PacketOnPtyTest : public QObject {
  Q_OBJECT
 private slots:
  void PacketOnProgramsTheTncAndLinesArrive_data() {
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("CR") << "CR";
    QTest::newRow("CR LF") << "CRLF";
    QTest::newRow("LF CR") << "LFCR";
  }

  void PacketOnProgramsTheTncAndLinesArrive() {
    QFETCH(QString, lineEnd);
    QTemporaryDir dir;
    const QString raw = dir.filePath("received.raw");
    const QString link = dir.filePath("radio");

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(DRUV_BIN_DIR "/tnc-sim", {"--link", link, "--raw", raw, "--play", DRUV_FIXTURES_DIR "/monitor-lines.txt",
                                        "--rate", "40", "--line-end", lineEnd});
    QVERIFY(sim.waitForStarted(5000));
    QVERIFY(sim.waitForReadyRead(5000));
    QVERIFY(!sim.readLine().trimmed().isEmpty());

    // The station's ini names the simulator's link, as the demo's does.
    InstallStationFolder(dir.path().toStdString(), link.toStdString());

    TQtSerialPort port("ComPort1");
    TScriptedDialogs dialogs;
    TRecordingWaits waits;
    TFakeClock clock;
    {
      TDXfunctions window(port, dialogs, waits, clock);
      QVERIFY2(dialogs.Shown.empty(), dialogs.Shown.empty() ? "" : dialogs.Shown[0].c_str());
      QVERIFY(port.IsOpen());
      QCOMPARE(QString::fromStdString(port.Settings().Port), link);

      window.RadioPanel()->PacketOnButton->click();
      QVERIFY(dialogs.Shown.empty());
      // Every write was drained before the purge that followed it: nothing may be missing.
      QTRY_COMPARE_WITH_TIMEOUT(Slurp(raw), QByteArray(kPacketOnBytes), 5000);

      QAbstractItemModel* model = window.RawTab()->ListBox7->model();
      QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 4, 5000);
      QCOMPARE(model->index(0, 0).data().toString(), QString("QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk"));
      QCOMPARE(model->index(2, 0).data().toString(),
               QString("QQ5CCC>APU25N,TCPIP*,qAC,T2TEXAS <<UI>>:>Net tonight 8pm"));
      QCOMPARE(model->index(3, 0).data(), model->index(0, 0).data());
      QCOMPARE(window.Lines().RawPackets()[1], std::string("QQ5BBB-9>T2TP5S,QQ5DDD-3*,WIDE2-1 <UI C>:`|L}l\"Pk/]\"4&}Mobile"));
      QTRY_COMPARE(window.Edit4()->text(), QString("QQ5AAA>APRS,WIDE2-1 <UI R>:!3300.00N/09700.00Wk"));
      // Every line reaches the station log once, in order. The break-in's "cmd:" prompt goes there
      // too unless the purge that follows the break-in discarded it first: that race is the radio's.
      std::vector<std::string> logged;
      window.StationLogHook = [&](const std::string& l) {
        logged.push_back(l);
        return true;
      };
      window.PopulateDB();
      if (!logged.empty() && logged.front() == "cmd:") logged.erase(logged.begin());
      QCOMPARE(logged, window.Lines().RawPackets());
    }
    sim.terminate();
    QVERIFY(sim.waitForFinished(3000));
    SetAppFolder(DRUV_BIN_DIR);
  }
};

QTEST_MAIN(PacketOnPtyTest)
#include "PacketOnPtyTest.moc"
