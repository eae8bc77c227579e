// The map maker, the stitch window and the locate tool over a fake tile server: inputs and their
// rules, "Get Map" with its progress, failures and cancel, "Display Map", "Create" and "Save".
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "common/Files.h"
#include "platform/ImageCodecs.h"
#include "platform/fakes/TFakeHttpClient.h"
#include "platform/fakes/TRecordingBrowser.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "platform/qt/TWebPane.h"
#include "tiles/TTileBlock.h"
#include "tiles/ui/TOpenMapFm.h"
#include "tiles/ui/TOpenStreetMapFm.h"
#include "tiles/ui/TTileFm.h"

using namespace druv;

namespace {

std::string FlatTile(int n) {
  TRasterImage img(256, 256, static_cast<std::uint8_t>(20 * n));
  const auto png = EncodePng(img);
  return std::string(png.begin(), png.end());
}

// The map maker and its stitch window in an application folder of their own.
struct TRig {
  QTemporaryDir Dir;
  TScriptedDialogs Dialogs;
  TFakeHttpClient Http;
  std::unique_ptr<TTileFm> Tiles;
  std::unique_ptr<TOpenMapFm> Maker;

  explicit TRig(const std::string& location = "") {
    SetAppFolder(Dir.path().toStdString());
    QDir(Dir.path()).mkdir("Maps");
    QDir(Dir.path()).mkdir("TempTiles");
    WriteFileAtomic(AppPath("mapmaker.ini"), "[TileServer]\nBaseUrl=http://tiles.test/osm\nTimeoutSeconds=2.5\n");
    if (!location.empty()) WriteFileAtomic(AppPath("maplocation.txt"), location);
    for (bool large : {false, true}) {
      const TTileBlockRec b = MakeTileBlock(40.714, -74.006, 9, large, "http://tiles.test/osm/");
      for (size_t i = 0; i < b.Tiles.size(); ++i) Http.Bodies[b.Tiles[i].Url] = FlatTile(static_cast<int>(i));
    }
    Tiles = std::make_unique<TTileFm>(Dialogs);
    Maker = std::make_unique<TOpenMapFm>(Dialogs, *Tiles);
    Maker->SetHttpClient(Http);
  }
  ~TRig() { SetAppFolder(DRUV_BIN_DIR); }
  QStringList Files(const char* folder) const { return QDir(Dir.filePath(folder)).entryList(QDir::Files, QDir::Name); }
  QStringList Corners() const {
    QStringList out;
    for (int i = 0; i < 8; ++i) out << Maker->CornerLabel(i)->text();
    return out;
  }
};

QAction* MenuAction(QMainWindow* w, const QString& menu, const QString& item) {
  for (QAction* top : w->menuBar()->actions())
    if (top->text() == menu)
      for (QAction* a : top->menu()->actions())
        if (a->text() == item) return a;
  return nullptr;
}

}  // namespace

class TileWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void KeysAndZoomRule() {
    TRig rig;
    QLineEdit* lat = rig.Maker->LatitudeEdit();
    lat->clear();
    QTest::keyClicks(lat, "4a0,.5-x 1");
    QCOMPARE(lat->text(), QString("40.5-1"));

    QLineEdit* zoom = rig.Maker->ZoomEdit();
    const std::pair<const char*, const char*> set[] = {{"5", "9"}, {"95", "12"}, {"11", "11"}, {"0", "9"}};
    for (auto [typed, shown] : set) {
      zoom->setText(typed);
      QCOMPARE(zoom->text(), QString(shown));
    }
    // Typing 10 starts with a 1, which is below 9: the arrows are the way up.
    zoom->selectAll();
    QTest::keyClicks(zoom, "1x");
    QCOMPARE(zoom->text(), QString("9"));
    QStringList steps;
    for (int i = 0; i < 4; ++i) {
      rig.Maker->ZoomUp()->click();
      steps << zoom->text();
    }
    rig.Maker->ZoomDown()->click();
    steps << zoom->text();
    QCOMPARE(steps, (QStringList{"10", "11", "12", "12", "11"}));

    // An empty zoom text is no number, at once.
    rig.Dialogs.Expect("error", "\"\" is not a valid zoom level.");
    zoom->clear();
    QCOMPARE(zoom->text(), QString());
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(rig.Dialogs.AllExpectedShown());
  }

  void LocationFileAtCreationAndClose() {
    {
      TRig rig("12.5\r\n-8.25\r\n");
      QCOMPARE(rig.Maker->LatitudeEdit()->text(), QString("12.5"));
      QCOMPARE(rig.Maker->LongitudeEdit()->text(), QString("-8.25"));
      rig.Maker->LatitudeEdit()->setText("51.2");
      rig.Maker->show();
      rig.Maker->close();
      QCOMPARE(*ReadFile(AppPath("maplocation.txt")), std::string("51.2\r\n-8.25\r\n"));
      QVERIFY(rig.Dialogs.Shown.empty());
    }
    {
      // A first run has no file yet: the defaults, quietly.
      TRig rig;
      QCOMPARE(rig.Maker->LatitudeEdit()->text(), QString("40.714"));
      QCOMPARE(rig.Maker->LongitudeEdit()->text(), QString("-74.006"));
      QVERIFY(rig.Dialogs.Shown.empty());
    }
    {
      TRig rig("12.5\r\n");
      QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
      QVERIFY(rig.Dialogs.Shown[0].find("maplocation.txt: the file needs two lines") != std::string::npos);
      QCOMPARE(rig.Maker->LatitudeEdit()->text(), QString("40.714"));
    }
  }

  void GetMapFetchesShowsProgressAndOpensTheStitchWindow() {
    TRig rig;
    QStringList labels;
    rig.Http.OnGet = [&](const std::string&) {
      QVERIFY(rig.Maker->Progress() && rig.Maker->Progress()->isVisible());
      labels << rig.Maker->Progress()->labelText();
    };
    // Ticking and clearing the box again leaves a normal map.
    rig.Maker->LargeBox()->setChecked(true);
    rig.Maker->LargeBox()->setChecked(false);
    QVERIFY(!rig.Maker->LargeMap());
    rig.Maker->GetMapButton()->click();

    QCOMPARE(labels.size(), 9);
    QCOMPARE(labels.front(), QString("tile 1 of 9"));
    QCOMPARE(labels.back(), QString("tile 9 of 9"));
    QCOMPARE(rig.Http.TimeoutMs, 2500);
    QCOMPARE(rig.Http.Requested.front(), std::string("http://tiles.test/osm/9/150/192.png"));
    // The own locator file counts longitudes positive West, and the window shows those.
    QCOMPARE(rig.Corners(), (QStringList{"41.509", "75.234", "39.910", "73.125", "41.30.52N", "75.14.06W", "39.54.58N",
                                         "73.07.50W"}));
    QCOMPARE(*ReadFile(AppPath("Maps/themapname.txt")), std::string("75.234,73.125,39.910,41.509,themapname\r\n"));
    QCOMPARE(rig.Files("TempTiles").size(), 9);
    QVERIFY(rig.Tiles->isVisible());
    QCOMPARE(rig.Tiles->windowTitle(), QString("Click Tools>Displaly Map to show the created map"));
    QVERIFY(!rig.Maker->GetMapButton()->isEnabled());
    QCOMPARE(rig.Maker->Progress(), nullptr);
    QVERIFY(rig.Dialogs.Shown.empty());

    // Display Map: saved, announced, shown.
    rig.Dialogs.Expect("information", "themapname.jpg was saved as a small format map.");
    MenuAction(rig.Tiles.get(), "Tools", "Display Map")->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QCOMPARE(rig.Tiles->windowTitle(), QString("OpenStreetMap for APRS"));
    QCOMPARE(rig.Tiles->Picture()->pixmap().size(), QSize(768, 768));
    const TRasterImage saved = LoadJpegFile(AppPath("Maps/themapname.jpg"));
    QCOMPARE(saved.Width, 768);
    QVERIFY(std::abs(saved.Pixel(256 + 100, 256 + 100)[0] - 0) < 6);  // C, the first tile
    QVERIFY(std::abs(saved.Pixel(100, 100)[0] - 160) < 6);            // NW, the ninth
  }

  void XastirLargeMapKeepsSignedLongitudes() {
    TRig rig;
    rig.Maker->FormatButton(lfXastir)->setChecked(true);
    rig.Maker->LargeBox()->setChecked(true);
    rig.Maker->NameEdit()->setText("wide");
    rig.Maker->GetMapButton()->click();
    QCOMPARE(rig.Http.Requested.size(), size_t(15));
    QCOMPARE(rig.Corners().mid(0, 4), (QStringList{"41.509", "-75.938", "39.910", "-72.422"}));
    QVERIFY(ReadFile(AppPath("Maps/wide.geo"))->find("IMAGESIZE  1280        768\r\n") != std::string::npos);
    rig.Dialogs.Expect("information", "wide.jpg was saved as a large format map.");
    rig.Tiles->DisplayMap();
    QCOMPARE(LoadJpegFile(AppPath("Maps/wide.jpg")).Width, 1280);
    QCOMPARE(rig.Tiles->Picture()->width(), 1280);
    QVERIFY(rig.Dialogs.Unexpected().empty());
  }

  void FailedOrCancelledGetMapLeavesTheButtonAndNoTile() {
    TRig rig;
    const TTileBlockRec b = MakeTileBlock(40.714, -74.006, 9, false, "http://tiles.test/osm/");
    rig.Http.Failures[b.Tiles[3].Url] = "Could not fetch " + b.Tiles[3].Url + ": the server answered 404 Not Found.";
    rig.Dialogs.Expect("error", rig.Http.Failures[b.Tiles[3].Url]);
    rig.Maker->GetMapButton()->click();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QCOMPARE(rig.Files("TempTiles"), (QStringList{"imageC.png", "imageN.png", "imageNE.png"}));
    QCOMPARE(rig.Files("Maps"), QStringList{"themapname.txt"});  // written before the first tile
    QVERIFY(!rig.Tiles->isVisible());
    QVERIFY(rig.Maker->GetMapButton()->isEnabled());

    // Cancel while the second tile is on its way: no box, no file for it.
    rig.Http.Failures.clear();
    rig.Http.Requested.clear();
    rig.Http.OnGet = [&](const std::string& url) {
      if (url == b.Tiles[1].Url)
        for (QAbstractButton* button : rig.Maker->Progress()->findChildren<QAbstractButton*>()) button->click();
    };
    rig.Maker->GetMapButton()->click();
    QCOMPARE(rig.Http.Requested.size(), size_t(2));
    QVERIFY(!rig.Files("TempTiles").contains("imageN.png"));
    QVERIFY(rig.Maker->GetMapButton()->isEnabled());
    QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));

    // And the next try makes the map.
    rig.Http.OnGet = nullptr;
    rig.Maker->GetMapButton()->click();
    QVERIFY(rig.Tiles->isVisible());
    QVERIFY(!rig.Maker->GetMapButton()->isEnabled());
  }

  void BadInputsWriteNothing() {
    TRig rig;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { rig.Maker->NameEdit()->setText("../../x"); },
         "\"../../x\" cannot be used as a map name: it must not contain \"..\"."},
        {[&] { rig.Maker->NameEdit()->setText("a/b"); },
         "\"a/b\" cannot be used as a map name: it must not contain \"/\" or \"\\\" (a name, not a path)."},
        {[&] {
           rig.Maker->NameEdit()->setText("ok");
           rig.Maker->LatitudeEdit()->setText("4-0");
         },
         "\"4-0\" is not a valid latitude."},
    };
    for (const auto& [change, error] : cases) {
      change();
      rig.Dialogs.Expect("error", error);
      rig.Maker->GetMapButton()->click();
    }
    QVERIFY(rig.Dialogs.Unexpected().empty());
    QVERIFY(rig.Http.Requested.empty());
    QVERIFY(rig.Files("Maps").isEmpty());
    QCOMPARE(QDir(rig.Dir.path()).entryList(QDir::Files), (QStringList{"mapmaker.ini"}));
    QCOMPARE(rig.Corners().front(), QString("NW Map Latitude"));
  }

  void DisplayMapWithAMissingTileSavesNothing() {
    TRig rig;
    rig.Maker->GetMapButton()->click();
    QFile::remove(rig.Dir.filePath("TempTiles/imageSW.png"));
    rig.Dialogs.Expect("error", "Cannot open file " + AppPath("TempTiles/imageSW.png") + ".");
    rig.Tiles->DisplayMap();
    QVERIFY2(rig.Dialogs.Unexpected().empty(), rig.Dialogs.Shown.back().c_str());
    QCOMPARE(rig.Files("Maps"), QStringList{"themapname.txt"});
    QCOMPARE(rig.Tiles->windowTitle(), QString("Click Tools>Displaly Map to show the created map"));
  }

  void AboutAndHelp() {
    TRig rig;
    rig.Dialogs.Expect("information",
                       "DRUV_MapMaker-OSM 1.0: maps for the DRUVaprs station from OpenStreetMap tiles. Free software "
                       "under the GNU General Public License, version 3 or later.\r\n"
                       "OpenStreetMap Tiles: \xA9 OpenStreetMap contributors.\r\n"
                       "Data is available under the Open Database License.");
    MenuAction(rig.Maker.get(), "About", "About")->trigger();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    rig.Maker->show();
    QVERIFY(!rig.Maker->HelpText()->isVisible());
    MenuAction(rig.Maker.get(), "Help", "Help")->trigger();
    QVERIFY(rig.Maker->HelpText()->isVisible());
    QVERIFY(rig.Maker->HelpText()->toPlainText().contains("Normal = 9 map tiles; Large = 15 map tiles."));
    MenuAction(rig.Maker.get(), "Help", "Help")->trigger();
    QVERIFY(!rig.Maker->HelpText()->isVisible());
    QVERIFY(rig.Maker->StyleBox()->count() > 0);
  }

  void LocateToolCreateAndSave_data() {
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<int>("span");
    QTest::addColumn<QStringList>("bounds");  // north, south, east, west
    QTest::addColumn<QString>("line");
    QTest::newRow("west") << "33.5" << "-97.25" << 1 << QStringList{"34.5", "32.5", "-96.25", "-98.25"}
                          << "98.25,  96.25,  32.5,  34.5,example.txt\r\n";
    QTest::newRow("no sign is West") << "33.5" << "97.25" << 2 << QStringList{"35.5", "31.5", "95.25", "99.25"}
                                     << "99.25,  95.25,  31.5,  35.5,example.txt\r\n";
    QTest::newRow("span 10") << "33.5" << "-97.25" << 10 << QStringList{"43.5", "23.5", "-87.25", "-107.25"}
                             << "107.25,  87.25,  23.5,  43.5,example.txt\r\n";
    QTest::newRow("south") << "-33.87" << "-70.65" << 1 << QStringList{"-32.87", "-34.87", "-69.65", "-71.65"}
                           << "71.65,  69.65,  -34.87,  -32.87,example.txt\r\n";
    QTest::newRow("across Greenwich") << "51.5" << "-0.5" << 1 << QStringList{"52.5", "50.5", "0.5", "-1.5"}
                                      << "1.5,  -0.5,  50.5,  52.5,example.txt\r\n";
  }
  void LocateToolCreateAndSave() {
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    QFETCH(int, span);
    QFETCH(QStringList, bounds);
    QFETCH(QString, line);
    QTemporaryDir dir;
    SetAppFolder(dir.path().toStdString());
    QDir(dir.path()).mkdir("Maps");
    TScriptedDialogs dialogs;
    TOpenStreetMapFm tool(dialogs);
    tool.show();
    QVERIFY(!tool.SaveButton()->isVisible());
    tool.SetCentreTexts(lat.toStdString(), lon.toStdString());
    tool.SpanBox()->setValue(span);
    tool.CreateButton()->click();
    QCOMPARE((QStringList{tool.NorthEdit()->text(), tool.SouthEdit()->text(), tool.EastEdit()->text(),
                          tool.WestEdit()->text()}),
             bounds);
    QVERIFY(tool.SaveButton()->isVisible());
    QVERIFY(tool.FileNameEdit()->isVisible());
    dialogs.Expect("message", "Map location datda saved to the maps folder as example.txt");
    tool.SaveButton()->click();
    QCOMPARE(QString::fromStdString(*ReadFile(AppPath("Maps/example.txt"))), line);
    QVERIFY(dialogs.Unexpected().empty());
    SetAppFolder(DRUV_BIN_DIR);
  }

  void LocateToolErrors() {
    QTemporaryDir dir;
    SetAppFolder(dir.path().toStdString());
    QDir(dir.path()).mkdir("Maps");
    TScriptedDialogs dialogs;
    TOpenStreetMapFm tool(dialogs);
    // A bad longitude: the latitude bounds computed before it stay.
    tool.SetCentreTexts("40", "west");
    dialogs.Expect("error", "\"west\" is not a valid longitude.");
    tool.CreateClick();
    QCOMPARE(tool.NorthEdit()->text(), QString("41"));
    QCOMPARE(tool.EastEdit()->text(), QString("-96.25"));
    // Save writes nothing for a bound that is no number, or a name that is no file name.
    tool.EastEdit()->setText("1,5");
    dialogs.Expect("error", "\"1,5\" is not a valid east bound.");
    tool.SaveClick();
    tool.EastEdit()->setText("-96");
    tool.FileNameEdit()->setText("../map");
    dialogs.Expect("error", "\"../map\" cannot be used as a map name: it must not contain \"..\".");
    tool.SaveClick();
    QVERIFY(dialogs.Unexpected().empty());
    QVERIFY(QDir(dir.filePath("Maps")).isEmpty());
    SetAppFolder(DRUV_BIN_DIR);
  }

  void LocateToolBrowserNotices() {
    TScriptedDialogs dialogs;
    TRecordingBrowser browser;
    TOpenStreetMapFm tool(dialogs);
    tool.SetBrowser(browser);
    tool.show();
    QVERIFY(!tool.Note()->isVisible());
    tool.LinkButton()->click();
    QCOMPARE(browser.Opened, std::vector<std::string>{"https://www.openstreetmap.org/"});
    // The system browser's pane reports the page as handed over at once.
    QVERIFY(tool.Note()->isVisible());
    QCOMPARE(tool.Note()->text(), QString("Now left-click on the Export Tab"));
    QCOMPARE(tool.cursor().shape(), Qt::ArrowCursor);
    emit tool.Browser()->FocusGained();
    QVERIFY(!tool.Note()->isVisible());
    QVERIFY(tool.Instructions()->toPlainText().contains("950000"));
  }
};

QTEST_MAIN(TileWindowsTest)
#include "TileWindowsTest.moc"
