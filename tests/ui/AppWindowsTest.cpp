// The window set: creation order, classes, captions, visibility, the start window and the
// wiring of the main window's hooks.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/TAppWindows.h"
#include "app/TDRUVform.h"
#include "common/Files.h"
#include "common/ProcessFlags.h"
#include "platform/fakes/TFakeClock.h"
#include "platform/fakes/TFakeSerialPort.h"
#include "platform/fakes/TRecordingWaits.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "map/Projection.h"
#include "map/ui/TAprsMapFm2.h"
#include "map/ui/TaprsConfigFm.h"
#include "map/ui/TsymbolFm.h"
#include "stations/ui/TStnDataFm.h"
#include "gps/ui/TzelGPS.h"
#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TPositionComposerPanel.h"
#include "radio/ui/TPositionReportTab.h"
#include "stations/ui/TaprsDBFm.h"
#include "tiles/ui/TOpenStreetMapFm.h"

using namespace druv;

namespace {

// Also notes, for each box, which of the program's windows existed and which were visible.
class TWatchingDialogs : public TScriptedDialogs {
 public:
  struct TSnapshot {
    QStringList Existing, Visible;
  };
  std::vector<TSnapshot> AtBox;
  void Information(const std::string& text) override {
    TSnapshot s;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->objectName().startsWith(u'T')) continue;
      s.Existing << w->objectName();
      if (w->isVisible()) s.Visible << w->objectName();
    }
    AtBox.push_back(s);
    TScriptedDialogs::Information(text);
  }
};

struct TFixture {
  // The main window reads and writes its settings files in an application folder of its own.
  QTemporaryDir AppDir;
  TFakeSerialPort Port;
  TFakeSerialPort GpsPort;
  TWatchingDialogs Dialogs;
  TRecordingWaits Waits;
  TFakeClock Clock;
  std::unique_ptr<TAppWindows> Windows;

  explicit TFixture(int tickerPeriodMs = 500) {
    Clock.Local = *EncodeDateTime(2024, 5, 6, 12, 34, 56);
    Clock.Utc = *EncodeDateTime(2024, 5, 6, 3, 10, 20);
    SetAppFolder(AppDir.path().toStdString());
    QFile::copy(DRUV_SOURCE_DIR "/data/aprssettings.txt", AppDir.filePath("aprssettings.txt"));
    // The rest of an installation: the own position, the custom map and the symbol sheets.
    QDir().mkpath(AppDir.filePath("Maps"));
    for (const char* f : {"qth.cfg", "Maps/map.jpg", "Maps/map.txt", "tileset.bmp", "tileset2.bmp"})
      QFile::copy(QString(DRUV_SOURCE_DIR "/data/") + f, AppDir.filePath(f));
    Dialogs.Expect("information", TDRUVform::TermsNotice);
    Windows = std::make_unique<TAppWindows>(Port, GpsPort, Dialogs, Waits, Clock, tickerPeriodMs);
  }
  ~TFixture() {
    Windows.reset();
    SetAppFolder(DRUV_BIN_DIR);
  }
};

}  // namespace

class AppWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { WorkerStopFlag = 0; }

  void WindowSetAtStartUp() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TFixture f;

    const std::pair<const char*, const char*> expected[] = {
        {"TDRUVform", "DRUVaprs Standalone"},
        {"TaprsConfigFm", "Configure Universal Map"},
        {"TOpenStreetMapFm", "OpenStreetMap Tool"},
        {"TDXfunctions", "DRUVaprs 0.97"},  // its creation hook puts the version in the caption
        {"TAPRSmapFm", "APRS Map"},
        {"TAprsMapFm2", "DRUVaprs"},
        {"TStnDataFm", "Station Information"},
        {"TsymbolFm", "symbolFm"},
        {"TaprsDBFm", "aprsDBFm"},
        {"TzelGPS", "zelGPS 1.00"},
        {"TTileFm", "Click Tools>Displaly Map to show the created map"},
        {"TOpenMapFm", "DRUV_MapMaker-OSM 1.0"},
    };
    const auto& order = f.Windows->InCreationOrder();
    QCOMPARE(order.size(), std::size(expected));
    for (size_t i = 0; i < order.size(); ++i) {
      const QString cls = expected[i].first;
      QWidget* w = order[i];
      QCOMPARE(w->objectName(), cls);
      QCOMPARE(QString(w->metaObject()->className()), "druv::" + cls);
      QCOMPARE(w->windowTitle(), QString(expected[i].second));
      QVERIFY(w->isWindow());
      QCOMPARE(w->isVisible(), i == 0);
      QCOMPARE(w->testAttribute(Qt::WA_DeleteOnClose), false);
      QCOMPARE(f.Windows->Window(cls), w);
    }
    QCOMPARE(f.Windows->Window("TNoSuchFm"), nullptr);
    // The station log files into the table the station dataset window owns.
    auto* dataset = qobject_cast<TaprsDBFm*>(f.Windows->Window("TaprsDBFm"));
    QVERIFY(dataset);
    QCOMPARE(f.Windows->DXfunctions().StationLog().Table(), &dataset->APRSData);

    // The terms notice comes first, while the start window is the only window and still hidden.
    QVERIFY(!f.Dialogs.Shown.empty());
    QCOMPARE(QString::fromStdString(f.Dialogs.Shown.front()),
             QString("information: ") + TDRUVform::TermsNotice);
    QVERIFY(f.Dialogs.AllExpectedShown());
    QVERIFY(!f.Dialogs.AtBox.empty());
    QCOMPARE(f.Dialogs.AtBox.front().Existing, QStringList{"TDRUVform"});
    QVERIFY(f.Dialogs.AtBox.front().Visible.isEmpty());
    for (const auto& box : f.Dialogs.Unexpected()) QVERIFY2(box.rfind("information", 0) != 0, box.c_str());

    // The start window's hook made "." the decimal separator.
    QCOMPARE(QLocale().decimalPoint(), QString("."));
    QCOMPARE(QLocale().toString(33.1), QString("33.1"));
  }

  void MapWindowsAreWiredToTheRest() {
    TFixture f;
    // An installation with its maps and sheets opens without an error box.
    for (const auto& box : f.Dialogs.Unexpected()) QVERIFY2(box.rfind("error", 0) != 0, box.c_str());
    auto* map = qobject_cast<TAprsMapFm2*>(f.Windows->Window("TAprsMapFm2"));
    QVERIFY(map);
    QCOMPARE(static_cast<QWidget*>(map->SymbolWindow), f.Windows->Window("TsymbolFm"));
    QCOMPARE(map->RawLines, &f.Windows->DXfunctions().Lines().RawPackets());
    QCOMPARE(map->StatusPanel(1)->text(), QString("DRUVaprs 0.97"));
    QCOMPARE(map->StatusPanel(2)->text(), QString("Current map: map.jpg"));
    // The operator's position from "qth.cfg" stands in the Universal map configuration.
    auto* config = qobject_cast<TaprsConfigFm*>(f.Windows->Window("TaprsConfigFm"));
    QCOMPARE(config->LatitudeEdit->text(), QString("32.5677"));
    QCOMPARE(config->LongitudeEdit->text(), QString("-97.2658"));
    // ... and in the locate tool.
    auto* locate = qobject_cast<TOpenStreetMapFm*>(f.Windows->Window("TOpenStreetMapFm"));
    QCOMPARE(locate->LatitudeEdit()->text(), QString("32.5677"));
    QCOMPARE(locate->LongitudeEdit()->text(), QString("-97.2658"));
    // The main window's "Map" button opens it, which plots the station table.
    TDXfunctions& main = f.Windows->DXfunctions();
    main.StationLog().Process("QQ5ZZZ>APRS:!3306.66N/09707.38W>second by call");
    main.StationLog().Process("QQ5AAA>APRS:!3306.72N/09707.44W>first by call");
    QTest::mouseClick(main.MapButton(), Qt::LeftButton);
    QVERIFY(map->isVisible());
    QVERIFY(map->PressRefreshLabel->isHidden());
    const int x = LonToX(map->Map().MapFrame, 97.123), y = LatToY(map->Map().MapFrame, 33.111);
    int white = 0;  // the call-sign box beside the symbol
    for (int dx = 10; dx < 40; ++dx)
      for (int dy = 0; dy < 10; ++dy) white += map->Picture().Image().pixel(x + dx, y + dy) == qRgb(255, 255, 255);
    QVERIFY2(white > 150, qPrintable(QString::number(white)));
    // A right click on them runs the main window's search, which hands the first call in call-sign
    // order back to the map, and the station information window shows it.
    map->PointerMoved({x, y}, Qt::NoButton);
    map->MousePressed({x, y}, Qt::RightButton);
    QCOMPARE(main.Edit3()->text(), map->LatitudeReadout->text());
    QCOMPARE(main.Edit6()->text(), "-" + map->LongitudeReadout->text());
    QVERIFY2(map->StatusPanel(3)->text().endsWith("    QQ5AAA"), qPrintable(map->StatusPanel(3)->text()));
    auto* info = qobject_cast<TStnDataFm*>(f.Windows->Window("TStnDataFm"));
    QVERIFY(info->isVisible());
    QCOMPARE(info->Label1->text(), QString("QQ5AAA"));
    QCOMPARE(info->width(), 420);
    QVERIFY(main.Memo3()->toPlainText().contains("QQ5AAA"));
    QCOMPARE(qobject_cast<TsymbolFm*>(f.Windows->Window("TsymbolFm"))->SpinEdit1->value(), 48);
    map->close();
    info->close();
  }

  // A GPS fix, about once a second, composes the report from the fix but leaves the operator's tab
  // and the composer panel as they are.
  void GpsFixComposesWithoutTakingTheWindow() {
    TFixture f;
    TDXfunctions& main = f.Windows->DXfunctions();
    auto* gps = qobject_cast<TzelGPS*>(f.Windows->Window("TzelGPS"));
    QVERIFY(gps);
    main.PageControl()->setCurrentIndex(8);
    gps->SentenceArrived("$GPRMC,123519.00,A,4807.038,N,01131.000,E,0.0,0.0,230394,,*hh\r\n$");
    QCOMPARE(main.ComposerPanel()->LatitudeEdit->text(), QString("48.1173"));
    QCOMPARE(main.ComposerPanel()->LongitudeEdit->text(), QString("11.5166666666667"));
    QVERIFY(main.ReportTab()->PositionEdit->text().startsWith("!4807.04N/01131.00E"));
    QCOMPARE(main.PageControl()->currentIndex(), 8);
    // The operator's own Compose still brings the station list to the front.
    main.Compose();
    QCOMPARE(main.PageControl()->currentIndex(), 7);
  }

  void StartWindowContents() {
    TFixture f;
    TDRUVform& form = f.Windows->DRUVform();
    QCOMPARE(form.Button1->text(), QString("START APRS"));
    QCOMPARE(form.Label1->text(), QString("This is a stand-alone version of DRUVaprs"));
    QCOMPARE(form.Label2->text(), QString("This software may not work properly in the Southern Hemisphere."));
    QVERIFY(form.Memo1->isReadOnly());
    QVERIFY(form.Memo1->toPlainText().contains("GPL"));
    // Screen readers and desktop automation reach every control by name.
    for (QWidget* w : form.findChildren<QWidget*>()) {
      if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLabel*>(w) && !qobject_cast<QPlainTextEdit*>(w))
        continue;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      QVERIFY(a);
      QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
    }
  }

  void StartAprsShowsMainWindowAgainAfterClose() {
    TFixture f;
    QWidget& main = f.Windows->DXfunctions();
    QPointer<QWidget> guard(&main);
    QSignalSpy programEnds(&f.Windows->DRUVform(), &TDRUVform::Closed);

    QTest::mouseClick(f.Windows->DRUVform().Button1, Qt::LeftButton);
    QVERIFY(main.isVisible());
    main.close();
    QVERIFY(guard && !main.isVisible());
    QTest::mouseClick(f.Windows->DRUVform().Button1, Qt::LeftButton);
    QVERIFY(main.isVisible());

    // A menu item opens another window by class name; closing it only hides it.
    QVERIFY(f.Windows->DXfunctions().ShowWindowHook);
    f.Windows->DXfunctions().ShowWindowHook("TzelGPS");
    QWidget* gps = f.Windows->Window("TzelGPS");
    QVERIFY(gps->isVisible());
    QPointer<QWidget> gpsGuard(gps);
    gps->close();
    QVERIFY(gpsGuard && !gps->isVisible());
    f.Windows->DXfunctions().ShowWindowHook("TzelGPS");
    QVERIFY(gps->isVisible());
    QCOMPARE(programEnds.count(), 0);

    // Only the start window ends the program.
    for (QWidget* w : f.Windows->InCreationOrder())
      QCOMPARE(w->testAttribute(Qt::WA_QuitOnClose), w == &f.Windows->DRUVform());
    f.Windows->DRUVform().close();
    QCOMPARE(programEnds.count(), 1);
  }

  void PacketOnTickerUpdatesCaptionAndStopsWithTheFlag() {
    TFixture f(20);
    QWidget& main = f.Windows->DXfunctions();
    QVERIFY(f.Windows->DXfunctions().StartTickerHook);
    f.Windows->DXfunctions().StartTickerHook();
    WorkerStopFlag = 0;
    QTRY_VERIFY_WITH_TIMEOUT(main.windowTitle().startsWith("DRUVaprs    "), 5000);
    // Local time, not UTC.
    QVERIFY2(main.windowTitle().contains("34") && main.windowTitle().contains("56"),
             qPrintable(main.windowTitle()));
    QVERIFY(!main.windowTitle().contains("10"));
    QCOMPARE(f.Windows->Tickers().RunningCount(), 1);

    WorkerStopFlag = 1;
    QTRY_COMPARE_WITH_TIMEOUT(f.Windows->Tickers().RunningCount(), 0, 5000);

    // Closing the program with tickers running, one of them waiting on the UI: the window set
    // stops and joins them before any window goes.
    f.Windows->DXfunctions().StartTickerHook();
    f.Windows->DXfunctions().StartTickerHook();
    WorkerStopFlag = 0;
    QThread::msleep(50);
    f.Windows.reset();
  }
};

QTEST_MAIN(AppWindowsTest)
#include "AppWindowsTest.moc"
