// The station log in the main window and its station windows: lines from the port into the table
// and the tabs, the weather grid and detail list, the double-clicks, the nearest-station search,
// the station information window and the station lookup.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "radio/ui/TDXfunctions.h"
#include "radio/ui/TRawPacketsTab.h"
#include "stations/StationViews.h"
#include "stations/ui/TMessagesTab.h"
#include "stations/ui/TStationsTab.h"
#include "stations/ui/TStnDataFm.h"
#include "stations/ui/TThirdPartyTab.h"
#include "stations/ui/TWeatherTab.h"
#include "stations/ui/TWxStationsTab.h"
#include "stations/ui/TaprsDBFm.h"
#include "tests/ui/TMainWindowRig.h"

using namespace druv;

namespace {

struct TRecordingMap : IStationMapLink {
  QStringList Status, Packets;
  void SetSearchStatus(const std::string& text) override { Status << QString::fromStdString(text); }
  void GetAllInfo(const std::string& packet) override { Packets << QString::fromStdString(packet); }
};

// The main window's rig with the station windows and a recording map attached.
struct TStationRig : TRig {
  TRecordingMap Map;
  std::unique_ptr<TStnDataFm> StnData;
  std::unique_ptr<TaprsDBFm> DataSet;

  TStationRig() {
    Clock.Local = *EncodeDateTime(2025, 3, 15, 14, 5, 9);
    StnData = std::make_unique<TStnDataFm>();
    DataSet = std::make_unique<TaprsDBFm>();
    Window->SetStationWindows(*DataSet, *StnData);
    Window->SetStationMap(&Map);
  }
  // The main window goes before the station windows and the map it points to.
  ~TStationRig() { Window.reset(); }
  // Lines as the TNC sends them, all within one tick, then the tick.
  void Receive(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r";
    Port.Receive(bytes);
    Window->PopulateDB();
  }
  TStationTable& Table() { return DataSet->APRSData; }
};

QStringList Rows(QAbstractItemModel* m, int column = 0) {
  QStringList out;
  for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, column).data().toString();
  return out;
}

QStringList Items(QListWidget* w) {
  QStringList out;
  for (int i = 0; i < w->count(); ++i) out << w->item(i)->text();
  return out;
}

void DoubleClickRow(QListView* view, int row) {
  view->setCurrentIndex(view->model()->index(row, 0));
  emit view->doubleClicked(view->currentIndex());
}

const std::string kWx = "QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW";
const std::string kWxAt = "QQ5WWW>APRS,WIDE2-1 <UI R>:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167Rendon";
const std::string kMessage = "QQ5AAA-9>APRS::QQ4BBB   :hello there{12";
const std::string kThird = "QQ7GAT>APRS:}QQ6CCC>APRS,TCPIP:;OBJECT   *111111z3300.00N/09700.00Wk";
const std::string kTruck = "QQ5BBB-9>T2TP5S,QQ5DDD-3*,WIDE2-1 <UI C>:`|L}l\"Pk/]\"4&}Mobile";

}  // namespace

class StationWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void LinesFillTheTableAndTheTabs() {
    TStationRig rig;
    // Several lines within one tick, and the TNC's own lines around them.
    rig.Receive({"cmd:", kWx, kWxAt, kMessage, kThird, kTruck, "EH?", kTruck});
    QCOMPARE(rig.Table().RecordCount(), size_t(5));
    const TStationRec& truck = rig.Table().Record(rig.Table().FindStn("QQ5BBB-9"));
    QCOMPARE(QString::fromStdString(truck.TIME), QString("14:05:09"));
    QCOMPARE(QString::fromStdString(truck.PACKET2), QString("QQ5BBB-9>T2TP5S,QQ5DDD-3*,WIDE2-1:`|L}l\"Pk/]\"4&}Mobile"));

    QCOMPARE(Rows(rig.Window->WxStationList()->model()),
             (QStringList{QString::fromStdString(kWx), QString::fromStdString(kWxAt)}));
    QCOMPARE(rig.Window->MessagesTab()->HeaderLabel->text(), QString("To:           From:                   Message:"));
    QCOMPARE(Rows(rig.Window->MessagesTab()->ListBox1->model()), QStringList{"QQ4BBB * QQ5AAA    hello there"});
    QCOMPARE(Rows(rig.Window->ThirdPartyTab()->ListBox10->model()),
             QStringList{"QQ7GAT   OBJECT   *111111z3300.00N/09700.00Wk"});
    QCOMPARE(Rows(rig.Window->StationList()->model()),
             (QStringList{"QQ5AAA", "QQ5AAA-9", "QQ5BBB-9", "QQ5WWW", "QQ7GAT"}));
    QCOMPARE(rig.Window->StationList()->flow(), QListView::TopToBottom);
    QVERIFY(rig.Window->StationList()->isWrapping());
    // Shown on a window of ordinary size, the ten columns share the list's width, so a call with
    // its SSID is not cut short.
    rig.Window->resize(1000, 720);
    rig.Window->show();
    rig.Window->PageControl()->setCurrentIndex(7);
    QVERIFY(QTest::qWaitForWindowExposed(rig.Window.get()));
    QListView* stations = rig.Window->StationList();
    QTRY_COMPARE(stations->gridSize().width(), stations->viewport()->width() / 10);
    QVERIFY(stations->gridSize().width() > stations->fontMetrics().horizontalAdvance("QQ5BBB-15"));

    // A hook around the station log sees which lines made a packet.
    int rejected = 0;
    auto inner = rig.Window->StationLogHook;
    rig.Window->StationLogHook = [&](const std::string& l) {
      const bool made = inner(l);
      rejected += made ? 0 : 1;
      return made;
    };
    rig.Receive({"QQ5AAA>", kWx});
    QCOMPARE(rejected, 1);
    QCOMPARE(rig.Window->WxStationList()->model()->rowCount(), 3);

    // "Clear RAW Data": the raw, weather-station and station lists; the rest stays.
    rig.Window->RawTab()->ClearButton->click();
    QCOMPARE(rig.Window->WxStationList()->model()->rowCount(), 0);
    QCOMPARE(rig.Window->StationList()->model()->rowCount(), 0);
    QCOMPARE(rig.Window->MessagesTab()->ListBox1->model()->rowCount(), 1);
    QCOMPARE(rig.Table().RecordCount(), size_t(5));
  }

  void WeatherTabAndDetailList() {
    TStationRig rig;
    rig.Receive({kWx, kWxAt});
    TWeatherTab* tab = rig.Window->WeatherTab();
    QTableView* grid = tab->StringGrid1;
    QCOMPARE(grid->model()->columnCount(), 14);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("Call"));
    QCOMPARE(grid->model()->headerData(12, Qt::Horizontal).toString(), QString("Units"));
    QCOMPARE(grid->model()->rowCount(), 49);
    // Refreshed when the tab is shown, not before.
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString());
    rig.Window->show();
    rig.Window->PageControl()->setCurrentWidget(tab);
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString("QQ5AAA"));
    QCOMPARE(grid->model()->index(0, 11).data().toString(), QString("09900"));
    QCOMPARE(grid->model()->index(1, 0).data().toString(), QString("QQ5WWW"));
    QCOMPARE(grid->model()->index(1, 13).data().toString(), QString("Rendo"));  // not the last character
    QCOMPARE(grid->columnWidth(0), 64);
    QCOMPARE(grid->columnWidth(12), 59);
    QCOMPARE(grid->columnWidth(13), 293);

    TWxStationsTab* wx = rig.Window->WxStationsTab();
    QCOMPARE(wx->HintLabel->text(), QString("Double-click to display WX info in the box to the right >"));
    wx->ListBox3DblClick();  // nothing selected: a quiet return
    QCOMPARE(wx->ListBox8->count(), 0);
    DoubleClickRow(wx->ListBox3, 0);
    QCOMPARE(Items(wx->ListBox8),
             (QStringList{"QQ5AAA STATION", "1009 Date", "0556 Time", "220 WindDirection", "004 WindSpeed",
                          "005 WindGusts", "077 Temperature", "000 RainLastHour", "000 RainLast24",
                          "000 RainSinceMidNight", "50 Humidity", "09900 BarPressure"}));
    rig.Window->hide();
  }

  void RawListDoubleClick() {
    TStationRig rig;
    rig.Receive({kTruck, "QQ5AAA>"});
    QPlainTextEdit* memo = rig.Window->Memo3();
    QCOMPARE(memo->toPlainText(), QString("Station Data"));
    rig.Window->RawListDblClick();  // nothing selected
    QCOMPARE(memo->toPlainText(), QString("Station Data"));
    // A line the parser refuses: only "failed" below what was there.
    DoubleClickRow(rig.Window->RawTab()->ListBox7, 1);
    QCOMPARE(memo->toPlainText(), QString("Station Data\nfailed"));
    QVERIFY(rig.StnData->isHidden());
    QCOMPARE(rig.StnData->Label1->text(), QString("not found"));
    // Twice the same line: the rendering once in each box.
    DoubleClickRow(rig.Window->RawTab()->ListBox7, 0);
    DoubleClickRow(rig.Window->RawTab()->ListBox7, 0);
    auto details = RawLineDetails(kTruck);
    QString verbose = QString::fromStdString(details->Verbose).replace("\r\n", "\n").trimmed();
    QCOMPARE(memo->toPlainText().trimmed(), verbose);
    QCOMPARE(rig.StnData->Memo1->toPlainText().trimmed(), verbose);
    QVERIFY(rig.StnData->isVisible());
    QCOMPARE(rig.StnData->Label1->text(), QString("QQ5BBB-9"));
    QCOMPARE(rig.StnData->Label2->text(), QString("EN12OQ"));
    QCOMPARE(rig.StnData->Label3->text(), QString("Course: 252"));
    QCOMPARE(rig.StnData->Label4->text(), QString("Speed: 0"));
    QCOMPARE(rig.StnData->Label5->text(), QString("Comment: ]\"4&}Mobile"));
    rig.StnData->hide();
  }

  void StationListDoubleClickLooksTheStationUp() {
    TStationRig rig;
    rig.Receive({"QQ5WX>APRS:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167", kTruck});
    rig.Window->StationListDblClick();  // nothing selected
    QVERIFY(rig.StnData->isHidden());
    DoubleClickRow(rig.Window->StationList(), 1);  // QQ5WX
    QCOMPARE(rig.DataSet->Edit1->text(), QString("QQ5WX"));
    QVERIFY(rig.StnData->isVisible());
    QCOMPARE(rig.StnData->Label1->text(), QString("QQ5WX"));
    QCOMPARE(rig.StnData->Label2->text(), QString("EM12IN"));
    QCOMPARE(rig.StnData->Label6->text(), QString("WX STN"));
    QCOMPARE(rig.StnData->Label5->text(), QString("Comment; 312/000g000t064r000P001p001h89b10167"));
    // The weather breakdown ran on the packet label.
    QCOMPARE(rig.StnData->ListBox1->item(0)->text(), QString("QQ5WX"));
    QVERIFY(Items(rig.StnData->ListBox1).contains("064 Temperature"));
    // Another station empties the weather list.
    DoubleClickRow(rig.Window->StationList(), 0);
    QCOMPARE(rig.StnData->Label1->text(), QString("QQ5BBB-9"));
    QCOMPARE(rig.StnData->Label6->text(), QString("TRUCK"));
    QCOMPARE(rig.StnData->ListBox1->count(), 0);
    // A call the table does not hold changes nothing.
    rig.DataSet->Edit1->setText("QQ9ZZZ");
    rig.DataSet->StationLookup();
    QCOMPARE(rig.StnData->Label1->text(), QString("QQ5BBB-9"));
    rig.StnData->hide();
  }

  void NearestStationSearch() {
    TStationRig rig;
    rig.Receive({"QQ5ZZZ>APRS:!3300.00N/09700.00Wk", "QQ5AAA>APRS:!3301.00N/09659.00Wk"});
    QVERIFY(rig.Window->Edit3()->isHidden());
    QVERIFY(rig.Window->Button70()->isHidden());
    rig.Table().SetIndexFieldNames("STN;GRID");
    rig.Window->Edit3()->setText("33.01");
    rig.Window->Edit6()->setText("-96.99");
    rig.Window->Button70()->click();
    QCOMPARE(rig.Map.Status, QStringList{"The nearest match to EM13MA    QQ5AAA"});
    QCOMPARE(rig.Map.Packets, QStringList{"QQ5AAA>APRS:!3301.00N/09659.00Wk"});
    // Not a number: the error box, nothing handed to the map.
    rig.Dialogs.Expect("error", "'33,01' is not a valid floating point value");
    rig.Window->Edit3()->setText("33,01");
    rig.Window->Button70()->click();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(rig.Dialogs.AllExpectedShown());
    QCOMPARE(rig.Map.Packets.size(), 1);
  }

  void StationInformationWindow() {
    TStnDataFm w;
    QCOMPARE(w.windowTitle(), QString("Station Information"));
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w.size(), QSize(439, 97));
    QCOMPARE(w.Label1->text(), QString("not found"));
    QCOMPARE(w.Label2->text(), QString());
    QCOMPARE(w.Label3->text(), QString("Course: "));
    QCOMPARE(w.Label4->text(), QString("Speed: "));
    QCOMPARE(w.Label5->text(), QString("Unable to resolve station coordinates. Try clicking again."));
    QVERIFY(w.Label5->wordWrap());
    QCOMPARE(w.Label6->text(), QString());
    QCOMPARE(w.Label7->text(), QString("Label7"));
    QCOMPARE(w.CheckBox1->text(), QString("Expand"));
    QCOMPARE(w.CheckBox1->toolTip(), QString("Show more detail"));
    QVERIFY(!w.CheckBox1->isChecked());
    QVERIFY(w.Button1->isHidden());
    // Outside the designed area until expanded or widened.
    QVERIFY(w.Memo1->geometry().top() >= 97);
    QVERIFY(w.ListBox1->geometry().left() >= 439);
    QVERIFY(w.Label7->geometry().left() >= 439);
    w.CheckBox1->click();
    QCOMPARE(w.height(), 455);
    w.CheckBox1->click();
    QCOMPARE(w.height(), 119);

    w.Label1->setText("QQ5AAA");
    w.Label7->setText("QQ5AAA>APRS:_10090556c220s004g005t077r000p000P000h50b09900wRSW");
    w.Button1->click();
    QCOMPARE(Items(w.ListBox1),
             (QStringList{"QQ5AAA", "220 WindDirection", "004 WindSpeed", "005 WindGusts", "077 Temperature",
                          "000 RainLastHour", "000 RainLast24", "RS: RainSinceMidNight", "50 Humidity",
                          "09900 BarPressure"}));
    // A "t" followed by a letter: the command stops with the list empty.
    w.Label7->setText("QQ5AAA>APRS:>test t077");
    w.Button1->click();
    QCOMPARE(w.ListBox1->count(), 0);
    // Closing only hides.
    w.show();
    w.close();
    QVERIFY(w.isHidden());
  }

  void StationDatasetWindow() {
    TaprsDBFm db;
    QCOMPARE(db.windowTitle(), QString("aprsDBFm"));
    QVERIFY(db.APRSData.Active());
    QCOMPARE(db.APRSData.RecordCount(), size_t(0));
    QCOMPARE(db.LocateButton->text(), QString("LOCATE>"));
    // Upper case only.
    QTest::keyClicks(db.Edit1, "qq5aaa-9");
    QCOMPARE(db.Edit1->text(), QString("QQ5AAA-9"));
    // A weather station with "_PHG" is not named one: "--", and the weather list emptied.
    TStnDataFm w;
    db.SetStationInfoWindow(&w);
    TStationLog log(&db.APRSData);
    log.Process("QQ5PHG>APRS:=3234.06N/09715.95W_PHG5132 t0");
    log.Process("QQ5NWS>APRS:=3234.06N/09715.95WW weather service");
    w.ListBox1->addItem("old");
    db.Edit1->setText("QQ5PHG");
    db.StationLookup();
    QCOMPARE(w.Label6->text(), QString("--"));
    QCOMPARE(w.ListBox1->count(), 0);
    QCOMPARE(w.Label7->text(), QString("QQ5PHG>APRS:=3234.06N/09715.95W_PHG5132 t0"));
    db.Edit1->setText("QQ5NWS");
    db.StationLookup();
    QCOMPARE(w.Label6->text(), QString("Natl WX Srvc"));
    QCOMPARE(w.Memo1->toPlainText(), QString("QQ5NWS>APRS:=3234.06N/09715.95WW weather service"));
    w.hide();
  }
};

QTEST_MAIN(StationWindowsTest)
#include "StationWindowsTest.moc"
