// Monitor lines from tnc-sim over a pseudo-terminal, through the receive path, into the station
// table and the lists: several lines within one tick, none lost, the same result as the station
// log run on the same lines without windows. Then 200 lines a second with 100,000 stations known,
// with the event loop's lateness and the received-line backlog printed as figures.
#include <zlib.h>

#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "common/Files.h"
#include "common/Text.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTime.h"
#include "platform/qt/TQtSerialPort.h"
#include "tests/integration/StationFolder.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRadioControlsPanel.h"
#include "radio/ui/TRawPacketsTab.h"
#include "stations/StationExport.h"
#include "stations/ui/TStnDataFm.h"
#include "stations/ui/TaprsDBFm.h"
#include "../platform_qt/TTncSimProcess.h"

using namespace druv;

namespace {

std::vector<std::string> ReadLinesOf(const QString& path) {
  std::vector<std::string> out;
  const auto lines = ReadLines(path.toStdString());
  if (lines)
    for (const auto& l : *lines)
      if (!Trim(l).empty()) out.push_back(Trim(l));
  return out;
}

std::vector<std::string> ReadGzLines(const char* path, size_t max = SIZE_MAX) {
  std::vector<std::string> out;
  gzFile in = gzopen(path, "rb");
  if (!in) return out;
  char buf[4096];
  while (out.size() < max && gzgets(in, buf, sizeof buf)) {
    std::string l = Trim(buf);
    if (!l.empty()) out.push_back(l);
  }
  gzclose(in);
  return out;
}

// A station with the Qt serial port on tnc-sim's terminal, in an application folder of its own.
struct TStation {
  QTemporaryDir Dir;
  TTncSimProcess Sim;
  std::unique_ptr<TQtSerialPort> Port;
  TScriptedDialogs Dialogs;
  TRecordingWaits Waits;
  TFakeClock Clock;
  TStnDataFm StnData;
  TaprsDBFm DataSet;
  std::unique_ptr<TDXfunctions> Window;

  TStation(const QString& play, int rate) : Sim({"--play", play, "--rate", QString::number(rate)}) {
    InstallStationFolder(Dir.path().toStdString(), Sim.Device());
    Port = std::make_unique<TQtSerialPort>("ComPort1");
    Window = std::make_unique<TDXfunctions>(*Port, Dialogs, Waits, Clock);
    Window->SetStationWindows(DataSet, StnData);
  }
  ~TStation() {
    Window.reset();
    SetAppFolder(DRUV_BIN_DIR);
  }
};

}  // namespace

class StationLogPtyTest : public QObject {
  Q_OBJECT
 private slots:
  void LinesFromTheRadioFillTableAndLists() {
    const QString fixture = DRUV_FIXTURES_DIR "/station-log-lines.txt";
    const auto lines = ReadLinesOf(fixture);
    TStation s(fixture, 200);
    QVERIFY(!s.Sim.Device().empty());
    QVERIFY(s.Dialogs.Shown.empty());
    s.Window->RadioPanel()->PacketOnButton->click();
    // All lines arrive before the first tick: one tick takes them all.
    QTRY_COMPARE_WITH_TIMEOUT(s.Window->RawTab()->ListBox7->model()->rowCount(), int(lines.size()), 5000);
    s.Window->PopulateDB();
    QCOMPARE(s.Window->Lines().Pending(), size_t(0));

    // The same lines through the station log alone give the same table and lists.
    TStationTable table;
    table.CreateDataSet();
    TStationLog log(&table, &s.Clock);
    log.SetTimeFormat([](TDateTime t) { return FromQString(FormatLongTime(t)); });
    for (const auto& l : lines) log.Process(l);
    QCOMPARE(QString::fromStdString(StationTableCsv(s.DataSet.APRSData)), QString::fromStdString(StationTableCsv(table)));
    TStationLog& got = s.Window->StationLog();
    QCOMPARE(ListText(got.WeatherStations), ListText(log.WeatherStations));
    QCOMPARE(ListText(got.Messages), ListText(log.Messages));
    QCOMPARE(ListText(got.ThirdParty), ListText(log.ThirdParty));
    QCOMPARE(ListText(got.Stations), ListText(log.Stations));
    QCOMPARE(s.DataSet.APRSData.RecordCount(), size_t(8));
    QCOMPARE(got.WeatherStations.Count(), size_t(3));
    QCOMPARE(s.Window->StationList()->model()->rowCount(), 8);
    // 8-bit text arrives as sent.
    QVERIFY(s.DataSet.APRSData.FindStn("QQ5\xC9T\xC9") != TStationTable::NoRecord);
  }

  void TwoHundredLinesASecondWithAHundredThousandStations() {
    const auto known = ReadGzLines(DRUV_FIXTURES_DIR "/traffic-unique-100k.txt.gz");
    QVERIFY(known.size() > 90000);
    // What the radio sends: 1,000 lines of those stations, heard again.
    QTemporaryDir dir;
    const QString play = dir.filePath("play.txt");
    std::vector<std::string> sent(known.begin(), known.begin() + 1000);
    WriteFileAtomic(play.toStdString(), JoinLinesCrLf(sent));

    TStation s(play, 200);
    QVERIFY(!s.Sim.Device().empty());
    for (const auto& l : known) s.Window->StationLog().Process(l);
    QVERIFY(s.DataSet.APRSData.RecordCount() > 90000);
    s.Window->show();
    s.Window->PageControl()->setCurrentIndex(7);  // the station list of 100,000 calls in view

    // The ticker's step every 500 ms; a 10 ms timer notes how late the event loop serves it.
    size_t maxBacklog = 0, ticks = 0;
    std::vector<qint64> lateness;
    QTimer tick;
    tick.setInterval(500);
    connect(&tick, &QTimer::timeout, [&] {
      maxBacklog = std::max(maxBacklog, s.Window->Lines().Pending());
      s.Window->PopulateDB();
      ++ticks;
    });
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer probe;
    probe.setInterval(10);
    connect(&probe, &QTimer::timeout, [&] {
      const qint64 now = clock.elapsed();
      lateness.push_back(now - last - 10);
      last = now;
    });
    s.Window->RadioPanel()->PacketOnButton->click();
    clock.start();
    tick.start();
    probe.start();
    // Malformed lines among them do not go to the raw list; every line reaches the station log.
    const auto isLogLine = [](const std::string& l) { return Contains(l, ">") && !StartsWith(l, "cmd"); };
    const int rawExpected = int(std::count_if(sent.begin(), sent.end(), [](const std::string& l) {
      return TRxAssembler::IsRawPacketLine(l);
    }));
    QTRY_COMPARE_WITH_TIMEOUT(s.Window->RawTab()->ListBox7->model()->rowCount(), rawExpected, 20000);
    const qint64 seconds = clock.elapsed();
    QTest::qWait(600);
    tick.stop();
    probe.stop();
    // No line lost, no backlog left.
    QCOMPARE(s.Window->Lines().Pending(), size_t(0));
    QCOMPARE(s.Window->StationLog().LinesProcessed(),
             size_t(std::count_if(known.begin(), known.end(), isLogLine) + std::count_if(sent.begin(), sent.end(), isLogLine)));
    std::sort(lateness.begin(), lateness.end());
    const auto at = [&](double q) { return lateness.empty() ? 0 : lateness[size_t(q * double(lateness.size() - 1))]; };
    qInfo("1000 lines in %lld ms over the pseudo-terminal, %zu ticks; most lines waiting for a tick: %zu; "
          "event-loop lateness (10 ms timer): median %lld ms, 99%% %lld ms, max %lld ms",
          static_cast<long long>(seconds), ticks, maxBacklog, static_cast<long long>(at(0.5)),
          static_cast<long long>(at(0.99)), static_cast<long long>(at(1.0)));
    s.Window->hide();
  }
};

QTEST_MAIN(StationLogPtyTest)
#include "StationLogPtyTest.moc"
