// The window set: creation order, classes, captions, visibility, the start window and the
// wiring of the main window's hooks.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
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
#include "radio/ui/TDXfunctions.h"
#include "stations/ui/TaprsDBFm.h"

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
