// The radio cable drops while the station receives: the main window with the Qt serial port
// against tnc-sim, whose pseudo-terminal closes under the program. The operator is told once,
// nothing filed is lost, the tickers run on, and the station receives again from the same link
// coming back (Packet ON) or from a new device (Set Port, then Packet ON).
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/TTickerSet.h"
#include "common/Files.h"
#include "common/ProcessFlags.h"
#include "parser/APRSParser.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/TQtSerialPort.h"
#include "tests/integration/StationFolder.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TStartupHintPanel.h"
#include "tests/platform_qt/ModalDialog.h"
#include "tests/platform_qt/TTncSimProcess.h"

using namespace druv;

namespace {

const QString kPlay = DRUV_FIXTURES_DIR "/monitor-lines.txt";

std::unique_ptr<TTncSimProcess> Radio(const QString& link = QString()) {
  QStringList args{"--play", kPlay, "--rate", "40", "--loop"};
  if (!link.isEmpty()) args << "--link" << link;
  return std::make_unique<TTncSimProcess>(args);
}

}  // namespace

class PortLossPtyTest : public QObject {
  Q_OBJECT

  // The raw list from index from on must be the capture played from its start, line for line:
  // a lost line, a garbled one or a half line glued to the next breaks the cycle.
  static bool FollowsTheCapture(const std::vector<std::string>& raw, size_t from) {
    const auto lines = ReadLines(kPlay.toStdString());
    if (!lines || lines->empty()) return false;
    for (size_t i = from; i < raw.size(); ++i)
      if (raw[i] != (*lines)[(i - from) % lines->size()]) return false;
    return true;
  }

 private slots:
  void LossIsToldOnceAndTheStationComesBack() {
    QTemporaryDir dir;
    const QString link = dir.filePath("radio");
    auto radio = Radio(link);
    QVERIFY(!radio->Device().empty());
    InstallStationFolder(dir.path().toStdString(), link.toStdString());

    TQtSerialPort port("ComPort1");
    TScriptedDialogs dialogs;
    TRecordingWaits waits;
    TFakeClock clock;
    {
      TDXfunctions window(port, dialogs, waits, clock);
      QVERIFY(port.IsOpen());
      window.StationLogHook = [](const std::string& line) { return ParsePacket(line, 0) != nullptr; };
      int captions = 0;
      TTickerSet tickers([&] { ++captions; }, [&] { window.PopulateDB(); }, 50);
      window.StartTickerHook = [&] { tickers.Start(); };
      QPushButton* packetOn = window.RadioPanel()->PacketOnButton;
      const auto& raw = window.Lines().RawPackets();

      packetOn->click();
      QTRY_VERIFY_WITH_TIMEOUT(raw.size() >= 6, 5000);
      QVERIFY(dialogs.Shown.empty());

      // The far end closes while lines arrive.
      radio.reset();
      QTRY_COMPARE_WITH_TIMEOUT(dialogs.Shown.size(), size_t(1), 5000);
      const std::string box = dialogs.Shown[0];
      QVERIFY2(box.rfind("error: The radio port " + link.toStdString() + " was lost", 0) == 0, box.c_str());
      QVERIFY2(box.find("\"Set Port\"") != std::string::npos && box.find("\"Packet ON\"") != std::string::npos,
               box.c_str());
      QCOMPARE(window.StatusPanel(5)->text(), " " + link + " lost ");
      QVERIFY(packetOn->isEnabled() && !window.RadioPanel()->isHidden());
      QVERIFY(!port.IsOpen());
      const size_t filed = raw.size();
      QVERIFY(FollowsTheCapture(raw, 0));
      // The tickers run on: the caption clock, and the counts of what came before the loss.
      const int captionsAtLoss = captions;
      QTRY_VERIFY(captions >= captionsAtLoss + 4);
      QVERIFY(window.Traffic().Lines >= filed && window.Traffic().Packets >= filed);
      QVERIFY(window.Traffic().LastLineTime.has_value());
      QCOMPARE(dialogs.Shown.size(), size_t(1));
      QCOMPARE(raw.size(), filed);

      // The same link comes back: Packet ON opens it again.
      radio = Radio(link);
      packetOn->click();
      QVERIFY(port.IsOpen());
      QCOMPARE(window.StatusPanel(5)->text(), " " + link + " 57600 ");
      QTRY_VERIFY_WITH_TIMEOUT(raw.size() >= filed + 4, 5000);
      QVERIFY(FollowsTheCapture(raw, filed));
      QCOMPARE(dialogs.Shown.size(), size_t(1));

      // Lost again; this time the radio comes back on another device, chosen with Set Port.
      radio.reset();
      QTRY_COMPARE_WITH_TIMEOUT(dialogs.Shown.size(), size_t(2), 5000);
      const size_t filedAgain = raw.size();
      radio = Radio();
      const QString device = QString::fromStdString(radio->Device());
      WhenDialogShows([&](QWidget* d) {
        Named<QComboBox>(d, "Port")->setCurrentText(device);
        QTest::mouseClick(Named<QPushButton>(d, "OK"), Qt::LeftButton);
      });
      window.HintPanel()->SetPortButton->click();
      QVERIFY(port.IsOpen());
      QCOMPARE(window.StatusPanel(5)->text(), " " + device + " 57600 ");
      packetOn->click();
      QTRY_VERIFY_WITH_TIMEOUT(raw.size() >= filedAgain + 4, 5000);
      QVERIFY(FollowsTheCapture(raw, filedAgain));
      QCOMPARE(dialogs.Shown.size(), size_t(2));

      WorkerStopFlag = 1;
      tickers.StopAll();
    }
    SetAppFolder(DRUV_BIN_DIR);
  }
};

QTEST_MAIN(PortLossPtyTest)
#include "PortLossPtyTest.moc"
