// The station map window over a map folder of its own: controls and start state, the plots
// pixel by pixel, the pointer readouts, dragging, the right-click look-up, saving, the map menu
// and the auto update.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "common/Files.h"
#include "map/TSymbolSheet.h"
#include "map/ui/TAprsMapFm2.h"
#include "map/ui/TMapImageView.h"
#include "map/ui/TQImageMapPicture.h"
#include "map/ui/TsymbolFm.h"
#include "parser/Decoders.h"
#include "platform/ImageCodecs.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "stations/TStationTable.h"

using namespace druv;

namespace {

constexpr QRgb MapGrey = 0xFFC8C8C8;

// An application folder with the shipped symbol sheets and maps of known size and bounds.
struct TRig {
  QTemporaryDir Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TSymbolSheet> Sheet;
  std::unique_ptr<TsymbolFm> Symbols;
  std::unique_ptr<TAprsMapFm2> Map;
  TStationTable Table;
  std::vector<std::string> Raw;
  std::vector<std::string> Details;  // packets handed to the station information window

  explicit TRig(int width = 800, int height = 600) {
    SetAppFolder(Dir.path().toStdString() + "/");
    std::filesystem::create_directories(AppPath("Maps"));
    for (const char* sheet : {"tileset.bmp", "tileset2.bmp"})
      WriteFileAtomic(AppPath(sheet), *ReadFile(std::string(DRUV_SOURCE_DIR "/data/") + sheet));
    MapFile("Maps/map.jpg", width, height, "98,96,32,34,custom");
    MapFile("Maps/universal.jpg", 400, 400, "98.25,  96.25,  32.50,  34.50,  universal");
    Table.CreateDataSet();
    Sheet = std::make_unique<TSymbolSheet>(AppFolder(), LoadRasterWithQt);
    Symbols = std::make_unique<TsymbolFm>(*Sheet, Dialogs);
    Map = std::make_unique<TAprsMapFm2>(*Sheet, Dialogs, "DRUVaprs 0.97");
    Map->Stations = &Table;
    Map->RawLines = &Raw;
    Map->SymbolWindow = Symbols.get();
    Map->ShowPacketDetails = [this](const std::string& p) {
      Details.push_back(p);
      return true;
    };
  }
  ~TRig() {
    Map.reset();
    Symbols.reset();
    SetAppFolder(DRUV_BIN_DIR);
  }
  static void MapFile(const std::string& name, int w, int h, const std::string& locator) {
    SaveJpegFile(AppPath(name), TRasterImage(w, h, 0xC8), 90);
    WriteFileAtomic(AppPath(name.substr(0, name.rfind('.')) + ".txt"), locator + "\r\n");
  }
  void Station(const char* call, const char* lat, const char* lon, const char* table, const char* symbol,
               const char* packet = "") {
    const std::string grid = LatLonToGrid(std::stod(lon), std::stod(lat));
    Table.AppendRecord({"12:00:00", call, "", "", lat, lon, packet, "", symbol, table, grid});
  }
  QRgb Pixel(int x, int y) const { return Map->Picture().Image().pixel(x, y); }
  // The symbol image of an index in a sheet, as the map draws it.
  static TRasterImage Symbol(bool primary, int index) {
    return CutSymbolCell(LoadRasterWithQt(AppPath(primary ? "tileset.bmp" : "tileset2.bmp")), SymbolCell(index));
  }
};

QStringList Labels(QList<QAction*> actions) {
  QStringList out;
  for (QAction* a : actions) out << a->text();
  return out;
}

// Whether the station's symbol sits with its centre pixel on (x, y), white pixels leaving the map
// (or, in the symbol's last column, the label box that starts there).
void VerifySymbolAt(const TRig& rig, const TRasterImage& symbol, int x, int y) {
  for (int dy = 0; dy < 21; ++dy)
    for (int dx = 0; dx < 21; ++dx) {
      const std::uint8_t* s = symbol.Pixel(dx, dy);
      const bool white = s[0] == 255 && s[1] == 255 && s[2] == 255;
      if (white && dx == 20 && dy >= 10) continue;
      const QRgb want = white ? MapGrey : qRgb(s[0], s[1], s[2]);
      if (rig.Pixel(x - 10 + dx, y - 10 + dy) != want)
        QFAIL(qPrintable(QString("symbol pixel %1,%2").arg(dx).arg(dy)));
    }
}

}  // namespace

class MapWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAndStartState() {
    TRig rig;
    TAprsMapFm2& m = *rig.Map;
    QCOMPARE(m.windowTitle(), QString("DRUVaprs"));
    QCOMPARE(m.centralWidget()->size(), QSize(788, 548));
    QCOMPARE(m.ScrollBox1->geometry(), QRect(8, 0, 779, 478));
    struct {
      QPushButton* B;
      const char* Caption;
      const char* Hint;
    } buttons[] = {
        {m.RefreshMapButton, "Refresh Map", "Update the APRS station symbols"},
        {m.RefreshTrailsButton, "Refresh Map..T", "Update the map + trails"},
        {m.WxOnlyButton, "Only WX Stns", "Show only weather stations"},
        {m.CenterButton, "Center", "Center the map"},
        {m.CloseMapButton, "Close Map", ""},
    };
    for (const auto& b : buttons) {
      QCOMPARE(b.B->text(), QString(b.Caption));
      QCOMPARE(b.B->toolTip(), QString(b.Hint));
    }
    QVERIFY(m.RefreshTrailsButton->isHidden());
    QCOMPARE(m.RefreshTrailsButton->geometry(), m.RefreshMapButton->geometry());
    struct {
      QCheckBox* C;
      const char* Caption;
      const char* Hint;
      bool Checked;
    } checks[] = {
        {m.AutoUpdate, "Auto Update", "Update map automatically (actual QTH)", false},
        {m.NoRefresh, "No Refresh", "Do not refresh the map automaticly", true},
        {m.StrategicCall, "Strategic Call", "Show/Hide Strategic Callsign", true},
        {m.NormalOther, "Normal/Other", "Show strategic callsign normal/enhanced", false},
        {m.QthNowTrails, "QTH now/trails", "QTH now - unchecked; show trails - checked", false},
        {m.Panning, "Panning ?", "Allow panning with left mouse down", false},
    };
    for (const auto& c : checks) {
      QCOMPARE(c.C->text(), QString(c.Caption));
      QCOMPARE(c.C->toolTip(), QString(c.Hint));
      QCOMPARE(c.C->isChecked(), c.Checked);
    }
    QCOMPARE(m.GridLabel->text(), QString("MH Grid"));
    QVERIFY(m.GridLabel->font().bold());
    QCOMPARE(m.RightClickLabel->text(), QString("Right-click object to view station information"));
    QCOMPARE(m.PressRefreshLabel->text(), QString("Press Refresh Map "));
    QVERIFY(!m.PressRefreshLabel->isHidden());
    QCOMPARE(m.FocusLabel->text(), QString("If mouse loses map focus, recover with a right mouse click on the map."));
    QVERIFY(m.LatitudeReadout->isHidden());
    QCOMPARE(m.LatitudeReadout->text(), QString("latitude"));
    QCOMPARE(m.LongitudeReadout->text(), QString("longitude"));
    QCOMPARE(m.Image1->cursor().shape(), Qt::CrossCursor);

    QCOMPARE(Labels(m.menuBar()->actions()), (QStringList{"File", "Map"}));
    QCOMPARE(Labels(m.menuBar()->actions()[0]->menu()->actions()), (QStringList{"Save Map with Station Icons", "EXIT"}));
    QCOMPARE(Labels(m.menuBar()->actions()[1]->menu()->actions()),
             (QStringList{"Custom", "Universal", "USA", "Other BMP", "Other JPG"}));
    QVERIFY(m.CustomItem->isChecked());

    const int widths[] = {100, 250, 250, 50};
    for (int i = 1; i <= 4; ++i) QCOMPARE(m.StatusPanel(i)->width(), widths[i - 1]);
    QCOMPARE(m.StatusPanel(1)->text(), QString("DRUVaprs 0.97"));
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: map.jpg"));
    QCOMPARE(m.StatusPanel(3)->text(), QString("Right-click an icon on map to see station details"));
    QCOMPARE(m.StatusPanel(4)->text(), QString());

    // The custom map with its frame is loaded; the picture control has its size.
    QCOMPARE(m.Map().MapFrame.West, 98.0);
    QCOMPARE(m.Map().MapFrame.Right, 800);
    QCOMPARE(m.Image1->size(), QSize(800, 600));
    QCOMPARE(m.Timer1->interval(), 60000);
    QVERIFY(!m.Timer1->isActive());
    QVERIFY(rig.Dialogs.Shown.empty());
  }

  void AMissingStartupMapIsReportedAndTheWindowStillWorks() {
    QTemporaryDir dir;
    SetAppFolder(dir.path().toStdString() + "/");
    TScriptedDialogs dialogs;
    TSymbolSheet sheet(AppFolder(), LoadRasterWithQt);
    TAprsMapFm2 map(sheet, dialogs, "DRUVaprs 0.97");
    QCOMPARE(dialogs.Shown.size(), size_t(1));
    QVERIFY2(QString::fromStdString(dialogs.Shown[0]).startsWith("error: Cannot open"), dialogs.Shown[0].c_str());
    QCOMPARE(map.StatusPanel(2)->text(), QString());
    map.RefreshMapClick();
    QCOMPARE(dialogs.Shown.size(), size_t(2));
    QVERIFY(!map.PressRefreshLabel->isHidden());
    SetAppFolder(DRUV_BIN_DIR);
  }

  void RefreshMapDrawsSymbolsAndLabelsPixelByPixel() {
    TRig rig;
    rig.Station("QQ5AAA", "33.111", "-97.123", "/", ">");   // 351, 267
    rig.Station("QQ5KEN", "32.500", "-97.000", "\\", "K");  // 400, 450: Kenwood, alternate sheet
    rig.Station("QQ5NOP", "0", "0", "/", ">");               // no position: not at 0 N 0 E
    rig.Map->RefreshMapClick();
    QVERIFY(rig.Map->PressRefreshLabel->isHidden());
    VerifySymbolAt(rig, TRig::Symbol(true, 48), 351, 267);
    VerifySymbolAt(rig, TRig::Symbol(false, 62), 400, 450);
    // The label box starts at X + 10, on the symbol's row, black on white.
    QCOMPARE(rig.Pixel(361 + 2, 267 + 1), qRgb(255, 255, 255));
    QCOMPARE(rig.Pixel(361 - 2 + 21, 267 + 20), MapGrey);  // beyond the box's height
    QVERIFY(rig.Pixel(361 + 60, 267) == MapGrey);
    int dark = 0;  // the call sign's letters
    for (int x = 361; x < 400; ++x)
      for (int y = 267; y < 280; ++y) dark += qGray(rig.Pixel(x, y)) < 80;
    QVERIFY(dark > 20);
    // Plots start from the bare map: nothing of an earlier plot stays.
    rig.Map->StrategicCall->setChecked(false);
    rig.Map->NormalOther->setChecked(true);
    rig.Map->RefreshMapClick();
    QCOMPARE(rig.Pixel(361 + 2, 267 + 1), MapGrey);
    VerifySymbolAt(rig, TRig::Symbol(true, 48), 351, 267);
    rig.Map->StrategicCall->setChecked(true);
    rig.Map->RefreshMapClick();
    QCOMPARE(rig.Pixel(361 + 2, 267 + 1), qRgb(0, 0, 255));
    // The symbol window shows the last symbol drawn.
    QVERIFY(rig.Symbols->isVisible());
    QCOMPARE(rig.Sheet->Index(), 62);
    QTRY_COMPARE(rig.Symbols->SpinEdit1->value(), 62);
    QVERIFY(!rig.Symbols->CheckBox1->isChecked());
  }

  void AStationOnTheCornerShowsItsLowerRightQuarter() {
    TRig rig;
    rig.Station("QQ5NW", "34", "-98", "/", "-");
    rig.Map->RefreshMapClick();
    const TRasterImage house = TRig::Symbol(true, 30);
    for (int y = 0; y <= 10; ++y)
      for (int x = 0; x <= 10; ++x) {
        const std::uint8_t* s = house.Pixel(10 + x, 10 + y);
        if (s[0] == 255 && s[1] == 255 && s[2] == 255) continue;
        QCOMPARE(rig.Pixel(x, y), qRgb(s[0], s[1], s[2]));
      }
  }

  void ShowingTheWindowPlotsCurrentPositionsWhateverTheTrailsBox() {
    TRig rig;
    rig.Station("QQ5AAA", "33.111", "-97.123", "/", ">");
    rig.Raw = {"QQ5TRL>APRS:!3300.00N/09700.00W>trail"};
    rig.Map->QthNowTrails->setChecked(true);
    QVERIFY(rig.Map->RefreshMapButton->isHidden());
    QVERIFY(!rig.Map->RefreshTrailsButton->isHidden());
    rig.Map->show();
    VerifySymbolAt(rig, TRig::Symbol(true, 48), 351, 267);
    QCOMPARE(rig.Pixel(400, 300), MapGrey);
    // Only "Refresh Map..T" plots trails, from the first raw line on.
    QTest::mouseClick(rig.Map->RefreshTrailsButton, Qt::LeftButton);
    VerifySymbolAt(rig, TRig::Symbol(true, 48), 400, 300);
    QCOMPARE(rig.Pixel(351, 267), MapGrey);
    rig.Map->hide();
  }

  void PointerReadoutsAndTheGridLabel() {
    TRig rig;
    rig.Map->PointerMoved({351, 267}, Qt::NoButton);
    QCOMPARE(rig.Map->LatitudeReadout->text(), QString("33.11"));
    QCOMPARE(rig.Map->LongitudeReadout->text(), QString("97.12"));
    QCOMPARE(rig.Map->GridLabel->text(), QString::fromStdString(LatLonToGrid(-97.12, 33.11)));
    rig.Map->setWindowTitle("something else");
    rig.Map->PointerLeft();
    QCOMPARE(rig.Map->GridLabel->text(), QString());
    QCOMPARE(rig.Map->LatitudeReadout->text(), QString());
    QCOMPARE(rig.Map->windowTitle(), QString("DRUVaprs"));
    // Through real mouse events on the picture.
    rig.Map->show();
    QTest::mouseMove(rig.Map->Image1, QPoint(400, 300));
    QTRY_COMPARE(rig.Map->LatitudeReadout->text(), QString("33"));
    QCOMPARE(rig.Map->LongitudeReadout->text(), QString("97"));
    rig.Map->hide();
  }

  void DraggingStopsAtThePanLimits() {
    TRig rig(2000, 1500);
    rig.Map->show();
    QScrollBar* h = rig.Map->ScrollBox1->horizontalScrollBar();
    QScrollBar* v = rig.Map->ScrollBox1->verticalScrollBar();
    QVERIFY(h->maximum() > 1000);
    h->setValue(30);
    v->setValue(300);
    // Without "Panning ?" nothing moves.
    rig.Map->MousePressed({500, 500}, Qt::LeftButton);
    rig.Map->PointerMoved({520, 510}, Qt::LeftButton);
    QCOMPARE(h->value(), 30);
    rig.Map->Panning->setChecked(true);
    QCOMPARE(rig.Map->Image1->cursor().shape(), Qt::PointingHandCursor);
    rig.Map->MousePressed({500, 500}, Qt::LeftButton);
    QCOMPARE(rig.Map->PanAnchor(), QPoint(500, 500));
    rig.Map->PointerMoved({520, 510}, Qt::LeftButton);  // picture follows: offset -30 + 20, -300 + 10
    QCOMPARE(h->value(), 10);
    QCOMPARE(v->value(), 290);
    // The left edge would reach the view's edge: only the vertical move happens.
    rig.Map->PointerMoved({520, 530}, Qt::LeftButton);
    QCOMPARE(h->value(), 10);
    QCOMPARE(v->value(), 260);
    // And the other way, up to the right limit.
    h->setValue(h->maximum() - 5);
    rig.Map->PointerMoved({490, 500}, Qt::LeftButton);
    QCOMPARE(h->value(), h->maximum() - 5);
    // Only with the left button held.
    rig.Map->PointerMoved({540, 500}, Qt::RightButton);
    QCOMPARE(h->value(), h->maximum() - 5);
    rig.Map->CenterClick();
    QCOMPARE(h->value(), 500);
    QCOMPARE(v->value(), 375);
    rig.Map->hide();
  }

  void RightClickFindsTheFirstCallInTheSubsquare() {
    TRig rig;
    // Two stations in one subsquare, the later call first in call-sign order.
    rig.Station("QQ5ZZZ", "33.111", "-97.123", "/", ">", "QQ5ZZZ>APRS:!3306.66N/09707.38W>z");
    rig.Station("QQ5AAA", "33.112", "-97.124", "/", "_", "QQ5AAA>APRS:!3306.72N/09707.44W_a");
    std::vector<std::string> calls;
    int hidden = 0, width = 0;
    rig.Map->HideStationInfo = [&] { ++hidden; };
    rig.Map->StationInfoIsWeather = [&] { return rig.Details.back().find('_') != std::string::npos; };
    rig.Map->SetStationInfoWidth = [&](int w) { width = w; };
    rig.Map->PointerMoved({351, 267}, Qt::NoButton);
    rig.Map->MousePressed({351, 267}, Qt::RightButton);
    QCOMPARE(rig.Table.IndexFieldNames(), std::string("STN;GRID"));
    QCOMPARE(hidden, 1);
    const std::string grid = LatLonToGrid(-97.12, 33.11);
    QCOMPARE(rig.Map->StatusPanel(3)->text(), QString::fromStdString("The nearest match to " + grid + "    QQ5AAA"));
    QCOMPARE(rig.Details, std::vector<std::string>{"QQ5AAA>APRS:!3306.72N/09707.44W_a"});
    QCOMPARE(width, 622);
    QCOMPARE(rig.Sheet->Index(), 83);  // the symbol window shows the station's symbol

    // Nowhere near a station: the first record's packet, and the hint to move.
    rig.Map->PointerMoved({10, 10}, Qt::NoButton);
    rig.Map->MousePressed({10, 10}, Qt::RightButton);
    QCOMPARE(rig.Map->StatusPanel(3)->text(), QString("Insufficient resolution. Shift mouse and try again."));
    QCOMPARE(rig.Details.back(), std::string("QQ5AAA>APRS:!3306.72N/09707.44W_a"));

    // The search takes the longitude East positive.
    std::vector<std::pair<std::string, std::string>> searched;
    rig.Map->NearestStationSearch = [&](const std::string& lat, const std::string& lon) { searched.push_back({lat, lon}); };
    rig.Map->PointerMoved({351, 267}, Qt::NoButton);
    rig.Map->MousePressed({351, 267}, Qt::RightButton);
    rig.Map->LongitudeReadout->setText("-10.50");
    rig.Map->MousePressed({351, 267}, Qt::RightButton);
    QCOMPARE(searched.size(), size_t(2));
    QCOMPARE(searched[0], std::make_pair(std::string("33.11"), std::string("-97.12")));
    QCOMPARE(searched[1].second, std::string("10.50"));
    // A readout that is no number: the error box, and no search.
    rig.Map->LatitudeReadout->setText("");
    rig.Map->MousePressed({351, 267}, Qt::RightButton);
    QCOMPARE(searched.size(), size_t(2));
    QCOMPARE(rig.Dialogs.Shown.back(), std::string("error: '' is not a valid floating point value"));
  }

  void GetAllInfoShowsTheSymbolOfTheCode() {
    TRig rig;
    rig.Map->GetAllInfo("QQ5AAA>APRS:!3300.00N/09700.00Wa ambulance");
    QCOMPARE(rig.Sheet->Index(), 52);
    QCOMPARE(rig.Symbols->SpinEdit1->value(), 52);
    // A packet that does not parse: the details say "failed", the symbol stays.
    rig.Map->ShowPacketDetails = [](const std::string&) { return false; };
    rig.Map->GetAllInfo("not a packet");
    QCOMPARE(rig.Sheet->Index(), 52);
  }

  void SavedBmpHoldsTheDrawnStations() {
    TRig rig;
    rig.Station("QQ5AAA", "33.111", "-97.123", "/", ">");
    rig.Map->RefreshMapClick();
    const std::string file = AppPath("saved.bmp");
    TFileDialogRec asked;
    rig.Map->ChooseFileToSave = [&](const TFileDialogRec& r) -> std::optional<std::string> {
      asked = r;
      return file;
    };
    rig.Map->SaveMapItem->trigger();
    QCOMPARE(asked.Filter, std::string("bmp|*.bmp"));
    QCOMPARE(asked.DefaultExtension, std::string("bmp"));
    const QImage saved(QString::fromStdString(file));
    QCOMPARE(saved.size(), QSize(800, 600));
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), rig.Map->Picture().Image());
    QVERIFY(saved.pixel(361 + 2, 268) == qRgb(255, 255, 255));
    // Cancel does nothing; an unwritable file is reported.
    rig.Map->ChooseFileToSave = [](const TFileDialogRec&) { return std::optional<std::string>(); };
    rig.Map->SaveMapClick();
    QVERIFY(rig.Dialogs.Shown.empty());
    rig.Map->ChooseFileToSave = [](const TFileDialogRec&) { return std::optional<std::string>("/no/such/dir/x.bmp"); };
    rig.Map->SaveMapClick();
    QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
    QVERIFY(QString::fromStdString(rig.Dialogs.Shown[0]).startsWith("error: Cannot write file /no/such/dir/x.bmp"));
  }

  void MapMenuChoices() {
    TRig rig;
    TAprsMapFm2& m = *rig.Map;
    m.UniversalItem->trigger();
    QVERIFY(m.UniversalItem->isChecked() && !m.CustomItem->isChecked());
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: universal.jpg"));
    QCOMPARE(m.Map().MapFrame.West, 98.25);
    QCOMPARE(m.Image1->size(), QSize(400, 400));
    // "USA" has no files here: the error box; the check mark has moved, the name has not.
    rig.Dialogs.Expect("error", "Cannot open file " + AppPath("Maps/usa.jpg") + ".");
    m.UsaItem->trigger();
    QVERIFY(m.UsaItem->isChecked());
    QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: universal.jpg"));

    // "Other JPG" for a ".jpeg" outside the Maps folder.
    rig.Dialogs.Shown.clear();
    std::filesystem::create_directories(AppPath("elsewhere"));
    TRig::MapFile("elsewhere/east.jpeg", 640, 480, "-5,-15,40,50,east,more");
    TFileDialogRec asked;
    m.ChooseFileToOpen = [&](const TFileDialogRec& r) -> std::optional<std::string> {
      asked = r;
      return AppPath("elsewhere/east.jpeg");
    };
    rig.Dialogs.Expect("information", "-5    -15   40   50   east");
    m.OtherJpgItem->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QCOMPARE(asked.Filter, std::string("JPEG maps|*.jpg;*.jpeg"));
    QCOMPARE(asked.DefaultExtension, std::string("jpg"));
    QCOMPARE(asked.Folder, AppPath("Maps/"));
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: east.jpeg"));
    // Plotting reloads it as JPEG from its own folder, with its ".txt".
    rig.Station("QQ5EU", "45", "10", "/", ">");
    m.RefreshMapClick();
    QCOMPARE(m.Map().MapFrame.West, -5.0);
    VerifySymbolAt(rig, TRig::Symbol(true, 48), 320, 240);

    // A cancelled "Other BMP" still moves the check mark and rewrites the status.
    m.ChooseFileToOpen = [&](const TFileDialogRec& r) -> std::optional<std::string> {
      asked = r;
      return std::nullopt;
    };
    m.StatusPanel(2)->clear();
    m.OtherBmpItem->trigger();
    QCOMPARE(asked.Filter, std::string("BMP maps|*.bmp"));
    QVERIFY(m.OtherBmpItem->isChecked());
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: east.jpeg"));
    // A BMP map loads through Qt.
    QImage bmp(300, 200, QImage::Format_RGB32);
    bmp.fill(MapGrey);
    QVERIFY(bmp.save(QString::fromStdString(AppPath("elsewhere/plain.bmp")), "BMP"));
    WriteFileAtomic(AppPath("elsewhere/plain.txt"), "98,96,32,34,\r\n");
    m.ChooseFileToOpen = [&](const TFileDialogRec&) { return std::optional<std::string>(AppPath("elsewhere/plain.bmp")); };
    m.OtherBmpItem->trigger();
    QCOMPARE(m.StatusPanel(2)->text(), QString("Current map: plain.bmp"));
    QCOMPARE(m.Image1->size(), QSize(300, 200));
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void AutoUpdateDrivesTheTimer() {
    TRig rig;
    TAprsMapFm2& m = *rig.Map;
    m.AutoUpdate->setChecked(true);
    QVERIFY(m.Timer1->isActive());
    QVERIFY(!m.NoRefresh->isChecked());
    m.NoRefresh->setChecked(true);
    QVERIFY(!m.Timer1->isActive());
    QVERIFY(!m.AutoUpdate->isChecked());
    m.NoRefresh->setChecked(false);
    QVERIFY(m.Timer1->isActive());
    QVERIFY(m.AutoUpdate->isChecked());
    // A tick plots current positions, or trails when the trails box is checked.
    rig.Station("QQ5AAA", "33.111", "-97.123", "/", ">");
    rig.Raw = {"QQ5TRL>APRS:!3300.00N/09700.00W>trail"};
    QMetaObject::invokeMethod(m.Timer1, "timeout", Qt::DirectConnection);
    QVERIFY(rig.Pixel(351, 267) != MapGrey);
    m.QthNowTrails->setChecked(true);
    QMetaObject::invokeMethod(m.Timer1, "timeout", Qt::DirectConnection);
    QCOMPARE(rig.Pixel(351, 267), MapGrey);
    QVERIFY(rig.Pixel(400, 300) != MapGrey);
    // "EXIT" leaves the boxes; "Close Map" clears "Auto Update".
    m.show();
    m.ExitItem->trigger();
    QVERIFY(!m.isVisible() && m.AutoUpdate->isChecked());
    m.show();
    QTest::mouseClick(m.CloseMapButton, Qt::LeftButton);
    QVERIFY(!m.isVisible());
    QVERIFY(!m.AutoUpdate->isChecked() && m.NoRefresh->isChecked() && !m.Timer1->isActive());
  }

  void WeatherOnlyDrawsWeatherStationsWithCallsOn() {
    TRig rig;
    rig.Raw = {"QQ5CAR>APRS:!3300.00N/09700.00W>car", "QQ5WX>APRS:@101251z3306.66N/09707.38W_312/000g000t064"};
    rig.Map->PlotWeatherOnlyClick();
    QVERIFY(rig.Map->PressRefreshLabel->isHidden());
    QCOMPARE(rig.Pixel(400, 300), MapGrey);
    VerifySymbolAt(rig, TRig::Symbol(true, 83), 351, 267);
    rig.Map->StrategicCall->setChecked(false);
    rig.Map->PlotWeatherOnlyClick();
    QCOMPARE(rig.Pixel(351, 267), MapGrey);
  }
};

QTEST_MAIN(MapWindowTest)
#include "MapWindowTest.moc"
