// The station's APRS-IS source against a small APRS-IS server started by the test on 127.0.0.1,
// through the real socket adapter: the exact login line, "#" lines shown and not filed, a refused
// server that comes up later, a link the server drops with a half line in flight, and every
// packet line filed once, in order.
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "common/Files.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"

using namespace druv;

namespace {

// Real APRS-IS lines from the corpus, an 8-bit one among them.
const std::vector<std::string> kLines = {
    "OH2KKU-15>APRS,TCPIP*,qAC,FOURTH:!I0-X;T_Wv&{-Aigate testing",
    "A0RID-1>KC0PID-7,WIDE1,qAR,NX0R-6:=3851.38N/09908.75W_Home of KA0RID",
    "OZ2BRN-4>5U2V08,OZ3RIN-3,OZ4DIA-2*,WIDE2-1,qAR,DB0KUE:`'O<l!{,,\"4R}",
    "OZ2BRN-4>5U2V08,WIDE2-1,qAo,OH7LZB:`c51!f?>/\xe2\x80\x98" "102030FFff commeeeent",
    "KD0KZE>TUPX9R,RS0ISS*,qAR,K0GDI-6:'yaIl -/]Greetings via ISS=",
    "OH7LZB-9>APZMDR,WIDE2-2,qAo,OH2RCH:!/0(yiTc5y>{2O http://aprs.fi/!w11!",
};
const char* const kLogin = "user QQ5ZZZ pass -1 vers DRUVaprs 0.97 filter r/33.5/-97.25/100\r\n";

// Accepts connections one at a time and records each client's first line.
class TAprsIsServer : public QObject {
 public:
  TAprsIsServer() {
    connect(&Server, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = Server.nextPendingConnection()) {
        Clients.push_back(s);
        s->write("# aprsc 2.1.14-test\r\n");
        connect(s, &QTcpSocket::readyRead, this, [this, s] {
          Received[s] += s->readAll();
        });
      }
    });
  }
  bool Listen(quint16 port = 0) { return Server.listen(QHostAddress::LocalHost, port); }
  quint16 Port() const { return Server.serverPort(); }
  // The login line the client sent, once it has.
  QByteArray LoginOf(QTcpSocket* s) const {
    const QByteArray r = Received.value(s);
    const qsizetype lf = r.indexOf('\n');
    return lf < 0 ? QByteArray() : r.left(lf + 1);
  }
  QTcpServer Server;
  std::vector<QTcpSocket*> Clients;
  QHash<QTcpSocket*, QByteArray> Received;
};

struct TStation {
  QTemporaryDir Dir;
  TFakeSerialPort Radio;
  TScriptedDialogs Dialogs;
  TRecordingWaits Waits;
  TFakeClock Clock;
  std::unique_ptr<TDXfunctions> Window;
  explicit TStation(quint16 port) {
    SetAppFolder(Dir.path().toStdString());
    for (const char* file : {"aprssettings.txt", "qth.cfg"})
      WriteFileAtomic(AppPath(file), *ReadFile(std::string(DRUV_SOURCE_DIR "/data/") + file));
    WriteFileAtomic(AppPath("sources.ini"), "[Source]\nKind=aprs-is\nHost=127.0.0.1\nPort=" + std::to_string(port) +
                                                "\nCall=QQ5ZZZ\nFilter=r/33.5/-97.25/100\n");
    Window = std::make_unique<TDXfunctions>(Radio, Dialogs, Waits, Clock);
  }
  ~TStation() {
    Window.reset();
    SetAppFolder(DRUV_BIN_DIR);
  }
  QString Status() const { return Window->SourceStatus()->text(); }
  std::vector<std::string> Logged() {
    std::vector<std::string> out;
    Window->StationLogHook = [&](const std::string& l) {
      out.push_back(l);
      return true;
    };
    Window->PopulateDB();
    return out;
  }
};

QByteArray Lines(size_t from, size_t to) {
  QByteArray out;
  for (size_t i = from; i < to; ++i) out += QByteArray::fromStdString(kLines[i]) + "\r\n";
  return out;
}

}  // namespace

class AprsIsServerTest : public QObject {
  Q_OBJECT
 private slots:
  void LoginCommentsDropAndReconnectWithoutLossOrRepeat() {
    TAprsIsServer server;
    QVERIFY(server.Listen());
    TStation station(server.Port());
    station.Window->RadioPanel()->PacketOnButton->click();
    QVERIFY(station.Radio.Written.empty());

    QTRY_COMPARE_WITH_TIMEOUT(server.Clients.size(), size_t(1), 5000);
    QTcpSocket* first = server.Clients[0];
    QTRY_COMPARE_WITH_TIMEOUT(server.LoginOf(first), QByteArray(kLogin), 5000);
    QTRY_VERIFY(station.Status().contains("connected - # aprsc 2.1.14-test"));
    first->write("# logresp QQ5ZZZ unverified, server T2TEST\r\n" + Lines(0, 3));
    // Half of the fourth line, then the server goes away.
    const QByteArray fourth = QByteArray::fromStdString(kLines[3]);
    first->write(fourth.left(20));
    first->flush();
    QTRY_COMPARE_WITH_TIMEOUT(station.Window->Lines().RawPackets().size(), size_t(3), 5000);
    QTRY_VERIFY(station.Status().contains("# logresp QQ5ZZZ unverified, server T2TEST"));
    first->disconnectFromHost();
    QTRY_VERIFY_WITH_TIMEOUT(station.Status().contains("reconnecting in"), 5000);

    // The station comes back after its first delay, logs in again, and gets the rest.
    QTRY_COMPARE_WITH_TIMEOUT(server.Clients.size(), size_t(2), 5000);
    QTcpSocket* second = server.Clients[1];
    QTRY_COMPARE_WITH_TIMEOUT(server.LoginOf(second), QByteArray(kLogin), 5000);
    second->write(Lines(3, kLines.size()) + "# keepalive T2TEST\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(station.Window->Lines().RawPackets().size(), kLines.size(), 5000);
    QCOMPARE(station.Window->Lines().RawPackets(), kLines);
    QCOMPARE(station.Logged(), kLines);
    QTRY_VERIFY(station.Status().endsWith("connected - # keepalive T2TEST"));

    // Packet OFF: the link closes and stays closed.
    station.Window->RadioPanel()->PacketOffButton->click();
    QTRY_COMPARE(second->state(), QAbstractSocket::UnconnectedState);
    QTest::qWait(1500);
    QCOMPARE(server.Clients.size(), size_t(2));
    QVERIFY(station.Dialogs.Shown.empty());
  }

  void RefusedUntilTheServerComesUp() {
    quint16 port;
    {
      TAprsIsServer probe;
      QVERIFY(probe.Listen());
      port = probe.Port();
    }
    TStation station(port);
    station.Window->RadioPanel()->PacketOnButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(station.Status().contains("reconnecting in"), 5000);
    QVERIFY2(station.Status().contains("refused"), qPrintable(station.Status()));
    TAprsIsServer server;
    QVERIFY(server.Listen(port));
    QTRY_COMPARE_WITH_TIMEOUT(server.Clients.size(), size_t(1), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(server.LoginOf(server.Clients[0]), QByteArray(kLogin), 5000);
    server.Clients[0]->write(Lines(0, 1));
    QTRY_COMPARE_WITH_TIMEOUT(station.Window->Lines().RawPackets(), std::vector<std::string>{kLines[0]}, 5000);
  }
};

QTEST_MAIN(AprsIsServerTest)
#include "AprsIsServerTest.moc"
