// The station against the real Dire Wolf: gen_packets turns monitor lines into audio, Dire Wolf
// reads that audio from standard input (ADEVICE stdin null) and serves the decoded frames over
// KISS, on TCP or on its pseudo-terminal. The station's source must file exactly those lines, and
// the report and the message the operator sends must be the frames Dire Wolf reports transmitting.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "common/Files.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TMessagingPanel.h"
#include "radio/ui/TPositionReportTab.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"
#include "radio/ui/TTncSettingsPanel.h"

using namespace druv;

namespace {

// Real packets from the corpus, digipeated and not, an 8-bit byte and a Mic-E 0x1c among them.
const std::vector<std::string> kLines = {
    "OH7FDN>APZMDR,OH7AA-1*,WIDE2-1:!6253.52N/02739.47E>036/010/A=000465 |!!!!!!!!!!!!!!|",
    "KC6SSM-5>APWW10,WR6ABD*,WIDE2-1:>020350zDX: WR6ABD 59.7mi 156\xb0 03:50 3706.65N 12150.68W",
    "OH7LZB-13>SX15S6,WIDE1-1:'I',l \x1c>/]",
    "QQ5AAA-15>APDR16,QQ5DIG-1,WIDE2*:>longest SSID, both repeated",
};

int FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

class TDireWolf {
 public:
  // kissTcpPort 0: the KISS pseudo-terminal instead of TCP.
  TDireWolf(const QTemporaryDir& dir, int kissTcpPort) {
    QFile conf(dir.filePath("direwolf.conf"));
    conf.open(QIODevice::WriteOnly);
    conf.write(QString("ADEVICE stdin null\nARATE 44100\nCHANNEL 0\nMODEM 1200\nAGWPORT 0\nKISSPORT %1\n")
                   .arg(kissTcpPort)
                   .toLatin1());
    conf.close();
    QStringList args{"-c", conf.fileName(), "-t", "0"};
    if (kissTcpPort == 0) args << "-p";
    Process.setProcessChannelMode(QProcess::MergedChannels);
    Process.start("direwolf", args);
  }
  ~TDireWolf() {
    Process.closeWriteChannel();
    Process.terminate();
    if (!Process.waitForFinished(3000)) Process.kill();
  }
  // Everything it printed so far, waiting up to timeoutMs for pattern to appear.
  QRegularExpressionMatch WaitFor(const QString& pattern, int timeoutMs = 10000) {
    const QRegularExpression re(pattern, QRegularExpression::MultilineOption);
    for (int waited = 0;; waited += 20) {
      Output += Process.readAll();
      auto m = re.match(QString::fromLatin1(Output));
      if (m.hasMatch() || waited >= timeoutMs || Process.state() == QProcess::NotRunning) return m;
      QTest::qWait(20);
    }
  }
  QProcess Process;
  QByteArray Output;
};

QByteArray Audio(const QTemporaryDir& dir) {
  QFile lines(dir.filePath("lines.txt"));
  lines.open(QIODevice::WriteOnly);
  for (const std::string& l : kLines) lines.write(QByteArray::fromStdString(l + "\n"));
  lines.close();
  QProcess gen;
  gen.start("gen_packets", {"-o", dir.filePath("audio.wav"), lines.fileName()});
  gen.waitForFinished(10000);
  QFile wav(dir.filePath("audio.wav"));
  return wav.open(QIODevice::ReadOnly) ? wav.readAll() : QByteArray();
}

}  // namespace

class DireWolfKissTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("direwolf").isEmpty() || QStandardPaths::findExecutable("gen_packets").isEmpty())
      QSKIP("Dire Wolf is not installed (Debian package direwolf; scripts/install-deps.sh installs it)");
  }

  void HeardLinesAndOwnPacketPassThroughDireWolf_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("KISS over TCP") << "kiss-tcp";
    QTest::newRow("KISS over its pseudo-terminal") << "kiss-serial";
  }

  void HeardLinesAndOwnPacketPassThroughDireWolf() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    SetAppFolder(dir.path().toStdString());
    for (const char* file : {"aprssettings.txt", "qth.cfg"})
      QFile::copy(QString(DRUV_SOURCE_DIR "/data/") + file, dir.filePath(file));
    const QByteArray audio = Audio(dir);
    QVERIFY(audio.size() > 100000);

    const bool tcp = kind == "kiss-tcp";
    const int port = tcp ? FreePort() : 0;
    TDireWolf dw(dir, port);
    QString ini = "[Source]\nKind=" + kind + "\n";
    if (tcp) {
      QVERIFY(dw.WaitFor("Ready to accept KISS TCP client").hasMatch());
      ini += QString("Host=127.0.0.1\nPort=%1\n").arg(port);
    } else {
      const auto m = dw.WaitFor("Virtual KISS TNC is available on (\\S+)");
      QVERIFY2(m.hasMatch(), dw.Output.constData());
      ini += "Device=" + m.captured(1) + "\nBaudRate=9600\n";
    }
    WriteFileAtomic(AppPath("sources.ini"), ini.toStdString());

    TFakeSerialPort radio;  // the TS-2000 port is not used
    TScriptedDialogs dialogs;
    TRecordingWaits waits;
    TFakeClock clock;
    {
      TDXfunctions window(radio, dialogs, waits, clock);
      window.SettingsPanel()->Fields[0]->setText("UNPROTO  APDR16 VIA WIDE1-1,WIDE2-1");
      window.SettingsPanel()->Fields[1]->setText("MYCALL   QQ5ZZZ-7");
      window.RadioPanel()->PacketOnButton->click();
      QTRY_VERIFY_WITH_TIMEOUT(window.SourceStatus()->text().contains(": connected"), 5000);
      if (tcp) QVERIFY(dw.WaitFor("Attached to KISS TCP client").hasMatch());

      // A second of silence after the packets, or the modem still hears a busy channel and holds
      // its transmitter back.
      dw.Process.write(audio + QByteArray(2 * 44100, '\0'));
      QTRY_COMPARE_WITH_TIMEOUT(window.Lines().RawPackets().size(), kLines.size(), 15000);
      QCOMPARE(window.Lines().RawPackets(), kLines);
      std::vector<std::string> logged;
      window.StationLogHook = [&](const std::string& l) {
        logged.push_back(l);
        return true;
      };
      window.PopulateDB();
      QCOMPARE(logged, kLines);

      // The operator's own sends, from their controls: the report with "Send> ", then a message.
      window.ReportTab()->PositionEdit->setText("!3300.00N/09700.00W- test");
      dialogs.Expect("warning",
                     "[Send position report] This action will transmit a packet using the TS2000 and the TNC. Do you "
                     "want to continue?");
      window.ReportTab()->SendButton->click();
      auto sent = dw.WaitFor("^\\[0L\\] (.*)$");
      QVERIFY2(sent.hasMatch(), dw.Output.right(1500).constData());
      QCOMPARE(sent.captured(1).trimmed(),
               QString("QQ5ZZZ-7>APDR16,WIDE1-1,WIDE2-1:!3300.00N/09700.00W- test DRUVaprs"));
      dw.Output.clear();
      window.MessagingPanel()->AddresseeEdit->setText("QQ5BBB");
      window.MessagingPanel()->MessageEdit->setText("hello");
      window.MessagingPanel()->SendButton->click();
      sent = dw.WaitFor("^\\[0L\\] (.*)$");
      QVERIFY2(sent.hasMatch(), dw.Output.right(1500).constData());
      QVERIFY2(QRegularExpression("^QQ5ZZZ-7>APDR16,WIDE1-1,WIDE2-1::QQ5BBB   :hello\\{\\d+$")
                   .match(sent.captured(1).trimmed())
                   .hasMatch(),
               qPrintable(sent.captured(1)));
      QVERIFY(dialogs.Unexpected().empty());
      QVERIFY(window.SourceStatus()->text().contains(": connected"));  // nothing was skipped or malformed
      QVERIFY2(dialogs.AllExpectedShown() && dialogs.Unexpected().empty(),
               dialogs.Unexpected().empty() ? "" : dialogs.Unexpected()[0].c_str());
    }
    SetAppFolder(DRUV_BIN_DIR);
  }
};

QTEST_MAIN(DireWolfKissTest)
#include "DireWolfKissTest.moc"
