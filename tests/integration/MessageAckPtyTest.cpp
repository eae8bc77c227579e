// An APRS message over a real pseudo-terminal: the main window with the Qt serial port against
// tnc-sim playing the other station. The message goes out in converse mode, the other station's
// ack comes back as a monitor line, the message turns to acked and is not sent again.
#include <QFile>
#include <QLineEdit>
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
#include "radio/ui/TMessagingPanel.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TTncSettingsPanel.h"
#include "tests/platform_qt/TTncSimProcess.h"

using namespace druv;

namespace {

size_t Count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
  return n;
}

}  // namespace

class MessageAckPtyTest : public QObject {
  Q_OBJECT
 private slots:
  void MessageIsAckedByTheOtherStationAndNotRepeated() {
    TTncSimProcess sim({"--ack-messages"});
    QVERIFY(!sim.Device().empty());
    QTemporaryDir dir;
    InstallStationFolder(dir.path().toStdString(), sim.Device());

    TQtSerialPort port("ComPort1");
    TScriptedDialogs dialogs;
    TRecordingWaits waits;
    TFakeClock clock;
    {
      TDXfunctions window(port, dialogs, waits, clock);
      QVERIFY2(dialogs.Shown.empty(), dialogs.Shown.empty() ? "" : dialogs.Shown[0].c_str());
      window.SettingsPanel()->Fields[1]->setText("MYCALL   QQ5AAA-9");
      window.RadioPanel()->PacketOnButton->click();
      // Programmed: MYCALL is known and monitoring is on.
      QTRY_VERIFY_WITH_TIMEOUT(sim.Raw().find("AUTOLF ON\r\nUNPROTO  APRS VIA APRS,WIDE2-1\r\n") != std::string::npos,
                               5000);

      TMessagingPanel* panel = window.MessagingPanel();
      panel->AddresseeEdit->setText("QQ5BBB");
      panel->MessageEdit->setText("Hello from the pty");
      panel->SendButton->click();
      QVERIFY(dialogs.Shown.empty());
      const std::string sent = "\x03^C\n\rCONV\n\r:QQ5BBB   :Hello from the pty{1\n\r";
      QTRY_VERIFY_WITH_TIMEOUT(sim.Raw().find(sent) != std::string::npos, 5000);
      QCOMPARE(StateText(window.Messenger().Outgoing().at(0)), std::string("sent"));

      // The ack arrives as a monitor line and passes the station-log step.
      QTRY_VERIFY_WITH_TIMEOUT((window.PopulateDB(), window.Messenger().Outgoing()[0].State == osAcked), 5000);
      QVERIFY(window.Lines().RawPackets().back() == "QQ5BBB>APRS,WIDE2-1::QQ5AAA-9 :ack1");
      QVERIFY(!window.RetryTimer().IsActive());

      // Well past the first retry time nothing more goes out.
      clock.Utc += 31.0 / 86400;
      window.Messenger().RetryTick();
      QTest::qWait(300);
      QCOMPARE(Count(sim.Raw(), ":QQ5BBB   :Hello from the pty{1"), size_t(1));
      QCOMPARE(StateText(window.Messenger().Outgoing()[0]), std::string("acked"));
      QVERIFY(dialogs.Shown.empty());
    }
    SetAppFolder(DRUV_BIN_DIR);
  }
};

QTEST_MAIN(MessageAckPtyTest)
#include "MessageAckPtyTest.moc"
