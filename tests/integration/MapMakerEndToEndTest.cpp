// The map maker window with the real HTTP client against a tile server on 127.0.0.1: a large map
// stitched in order with its attribution, and every kind of server failure ending in an error
// box with no tile file left for it, after which the window makes the map.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/Files.h"
#include "platform/ImageCodecs.h"
#include "platform/fakes/TScriptedDialogs.h"
#include "tests/integration/TLocalTileServer.h"
#include "tiles/TTileBlock.h"
#include "tiles/ui/TOpenMapFm.h"
#include "tiles/ui/TTileFm.h"

using namespace druv;

namespace {

const QString Fixtures = DRUV_FIXTURES_DIR "/tiles";

// Mean absolute difference between a 256 x 256 cell of the map and a tile.
double CellDifference(const TRasterImage& map, int left, int top, const TRasterImage& tile) {
  double sum = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      for (int c = 0; c < 3; ++c) sum += std::abs(map.Pixel(left + x, top + y)[c] - tile.Pixel(x, y)[c]);
  return sum / (256.0 * 256 * 3);
}

struct TRig {
  QTemporaryDir Dir;
  TLocalTileServer Server{Fixtures};
  TScriptedDialogs Dialogs;
  std::unique_ptr<TTileFm> Tiles;
  std::unique_ptr<TOpenMapFm> Maker;

  explicit TRig(const std::string& base = "") {
    SetAppFolder(Dir.path().toStdString());
    QDir(Dir.path()).mkdir("Maps");
    QDir(Dir.path()).mkdir("TempTiles");
    WriteFileAtomic(AppPath("mapmaker.ini"),
                    "[TileServer]\r\nBaseUrl=" + (base.empty() ? Server.Base() : base) + "\r\nTimeoutSeconds=0.3\r\n");
    Tiles = std::make_unique<TTileFm>(Dialogs);
    Maker = std::make_unique<TOpenMapFm>(Dialogs, *Tiles);  // its own Qt Network client
    Maker->LatitudeEdit()->setText("33.5");
    Maker->LongitudeEdit()->setText("-97.25");
    Maker->NameEdit()->setText("texas");
    Maker->LargeBox()->setChecked(true);
  }
  ~TRig() { SetAppFolder(DRUV_BIN_DIR); }
  QStringList TileFiles() const { return QDir(Dir.filePath("TempTiles")).entryList(QDir::Files, QDir::Name); }
};

}  // namespace

class MapMakerEndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void LargeMapInOrderWithAttribution() {
    TRig rig;
    QStringList labels;
    rig.Server.OnRequest = [&](const TLocalTileServer::TRequestRec&) {
      if (rig.Maker->Progress()) labels << rig.Maker->Progress()->labelText();
    };
    rig.Maker->GetMapButton()->click();
    QVERIFY2(rig.Dialogs.Shown.empty(), rig.Dialogs.Shown.empty() ? "" : rig.Dialogs.Shown[0].c_str());
    QCOMPARE(rig.Server.Requests.size(), size_t(15));
    QCOMPARE(labels.size(), 15);
    QCOMPARE(labels[14], QString("tile 15 of 15"));
    QVERIFY(rig.Server.Requests[0].UserAgent.find("DRUVaprs/") == 0);
    QVERIFY(rig.Tiles->isVisible());

    rig.Dialogs.Expect("information", "texas.jpg was saved as a large format map.");
    rig.Tiles->DisplayMap();
    QVERIFY(rig.Dialogs.Unexpected().empty());
    const TRasterImage map = LoadJpegFile(AppPath("Maps/texas.jpg"));
    QCOMPARE(map.Width, 1280);
    QCOMPARE(map.Height, 768);
    // Each labelled tile in its cell: closer to its own tile than to any neighbour.
    const TTileBlockRec block = MakeTileBlock(33.5, -97.25, 9, true, "");
    for (const TTileRec& t : block.Tiles) {
      const TRasterImage own = LoadPngFile((Fixtures + "/" + QString::fromStdString(t.Key) + ".png").toStdString());
      const double d = CellDifference(map, t.Left, t.Top, own);
      for (const TTileRec& other : block.Tiles) {
        if (other.Key == t.Key) continue;
        const TRasterImage wrong =
            LoadPngFile((Fixtures + "/" + QString::fromStdString(other.Key) + ".png").toStdString());
        QVERIFY2(d < CellDifference(map, t.Left, t.Top, wrong), (t.Position + " vs " + other.Key).c_str());
      }
    }
    // Blue text in the bottom strip from column 5 on, none above it.
    auto blueIn = [&](int x0, int x1, int y0, int y1) {
      int n = 0;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          const std::uint8_t* p = map.Pixel(x, y);
          if (p[2] > 150 && p[0] < 90 && p[1] < 90) ++n;
        }
      return n;
    };
    QVERIFY(blueIn(5, 200, 753, 768) > 50);
    QCOMPARE(blueIn(0, 200, 700, 752), 0);
    QCOMPARE(blueIn(0, 4, 753, 768), 0);
  }

  void ServerFailuresEndTheActionCleanly_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("error");
    QTest::newRow("404") << int(TLocalTileServer::tmNotFound) << "the server answered 404 Not Found.";
    QTest::newRow("500") << int(TLocalTileServer::tmServerError) << "the server answered 500 Internal Server Error.";
    QTest::newRow("time-out") << int(TLocalTileServer::tmSilent) << "no answer from the server within 0.3 s.";
    QTest::newRow("cut short") << int(TLocalTileServer::tmTruncated) << "the reply ended after";
    QTest::newRow("not png") << int(TLocalTileServer::tmNotPng) << "the reply is not a PNG image.";
    QTest::newRow("refused") << -1 << "Connection refused.";
    QTest::newRow("cancel") << -2 << "";
  }
  void ServerFailuresEndTheActionCleanly() {
    QFETCH(int, mode);
    QFETCH(QString, error);
    const std::string refused = "http://127.0.0.1:" + std::to_string(TLocalTileServer::ClosedPort()) + "/";
    TRig rig(mode == -1 ? refused : "");
    const TTileBlockRec block = MakeTileBlock(33.5, -97.25, 9, true, "");
    const std::string fourth = "/" + block.Tiles[3].Key + ".png";
    if (mode >= 0) rig.Server.Modes[fourth] = TLocalTileServer::TMode(mode);
    if (mode == -2) {
      // Cancel while the fourth tile hangs (the full time-out, so only Cancel can end it).
      rig.Server.Modes[fourth] = TLocalTileServer::tmSilent;
      WriteFileAtomic(AppPath("mapmaker.ini"), "[TileServer]\nBaseUrl=" + rig.Server.Base() + "\n");
      rig.Server.OnRequest = [&](const TLocalTileServer::TRequestRec& r) {
        if (r.Path != fourth) return;
        QTimer::singleShot(50, [&] {
          for (QAbstractButton* b : rig.Maker->Progress()->findChildren<QAbstractButton*>()) b->click();
        });
      };
    }
    rig.Maker->GetMapButton()->click();

    if (mode == -2) {
      QVERIFY(rig.Dialogs.Shown.empty());
    } else {
      QCOMPARE(rig.Dialogs.Shown.size(), size_t(1));
      QVERIFY2(rig.Dialogs.Shown[0].find(error.toStdString()) != std::string::npos, rig.Dialogs.Shown[0].c_str());
    }
    if (mode == -1)
      QVERIFY(rig.TileFiles().isEmpty());
    else
      QCOMPARE(rig.TileFiles(), (QStringList{"imageC.png", "imageN.png", "imageNE.png"}));
    QCOMPARE(QDir(rig.Dir.filePath("Maps")).entryList(QDir::Files), QStringList{"texas.txt"});
    QVERIFY(!rig.Tiles->isVisible());
    QVERIFY(rig.Maker->GetMapButton()->isEnabled());

    // Still usable: with the server healthy again the same window makes the map.
    rig.Server.Modes.clear();
    rig.Server.OnRequest = nullptr;
    WriteFileAtomic(AppPath("mapmaker.ini"), "[TileServer]\nBaseUrl=" + rig.Server.Base() + "\n");
    rig.Maker->GetMapButton()->click();
    QCOMPARE(rig.TileFiles().size(), 15);
    QVERIFY(rig.Tiles->isVisible());
  }
};

QTEST_MAIN(MapMakerEndToEndTest)
#include "MapMakerEndToEndTest.moc"
