// druv-mapmaker against a tile server on 127.0.0.1: the map and its locator file, zoom clamping,
// exit status 1 with the error for every failure and 2 for a bad option, and no partly written
// file left behind (also when interrupted).
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "common/Files.h"
#include "platform/ImageCodecs.h"
#include "tests/integration/TLocalTileServer.h"

using namespace druv;

namespace {

struct TRun {
  int ExitCode = -1;
  QString Out, Err;
};

struct TRig {
  QTemporaryDir Dir;
  TLocalTileServer Server{DRUV_FIXTURES_DIR "/tiles"};
  TRig() {
    QDir(Dir.path()).mkdir("Maps");
    QDir(Dir.path()).mkdir("TempTiles");
  }
  // Runs the tool with the event loop going, so the server in this process answers.
  TRun Run(QStringList args, const std::function<void(QProcess&)>& meanwhile = {}) {
    QProcess p;
    args << "--app-dir" << Dir.path();
    p.start(DRUV_BIN_DIR "/druv-mapmaker", args);
    if (!p.waitForStarted()) return {};
    if (meanwhile) meanwhile(p);
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 60000) QTest::qWait(10);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
  }
  QStringList Files() const {
    QStringList out;
    for (const char* folder : {"Maps", "TempTiles"})
      for (const QString& f : QDir(Dir.filePath(folder)).entryList(QDir::Files, QDir::Name)) out << QString(folder) + "/" + f;
    return out;
  }
  QStringList ServerOption() const { return {"--server", QString::fromStdString(Server.Base())}; }
};

const QStringList Texas = {"--lat", "33.5", "--lon", "-97.25", "--name", "t"};

}  // namespace

class MapMakerToolTest : public QObject {
  Q_OBJECT

 private slots:
  void MakesTheMap() {
    TRig rig;
    const TRun r = rig.Run(Texas + rig.ServerOption() + QStringList{"--zoom", "5"});
    QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
    QCOMPARE(r.Out, rig.Dir.filePath("Maps/t.txt") + "\n" + rig.Dir.filePath("Maps/t.jpg") + "\n");
    QVERIFY(r.Err.contains("tile 9 of 9: " + QString::fromStdString(rig.Server.Base()) + "9/116/204.png"));
    // Zoom 5 is clamped to 9 as in the window.
    QCOMPARE(rig.Server.Requests.front().Path, std::string("/9/117/205.png"));
    QCOMPARE(*ReadFile(rig.Dir.filePath("Maps/t.txt").toStdString()), std::string("98.438,96.328,32.547,34.307,t\r\n"));
    const TRasterImage map = LoadJpegFile(rig.Dir.filePath("Maps/t.jpg").toStdString());
    QCOMPARE(map.Width, 768);
    QCOMPARE(map.Height, 768);
    QCOMPARE(rig.Files().size(), 11);
  }

  // --app-dir naming an empty folder: the tool makes Maps/ and TempTiles/ there.
  void NewAppFolderGetsItsFolders() {
    TRig rig;
    QVERIFY(QDir(rig.Dir.filePath("Maps")).removeRecursively());
    QVERIFY(QDir(rig.Dir.filePath("TempTiles")).removeRecursively());
    const TRun r = rig.Run(Texas + rig.ServerOption());
    QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
    QCOMPARE(rig.Files().size(), 11);
  }

  void OtherFormats() {
    TRig rig;
    TRun r = rig.Run(Texas + rig.ServerOption() + QStringList{"--format", "xastir", "--large"});
    QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
    const std::string geo = *ReadFile(rig.Dir.filePath("Maps/t.geo").toStdString());
    QVERIFY(geo.find("FILENAME   t.jpg\r\n") == 0);
    QVERIFY(geo.find("TIEPOINT   1279        768      -95.625     32.547\r\n") != std::string::npos);
    QCOMPARE(LoadJpegFile(rig.Dir.filePath("Maps/t.jpg").toStdString()).Width, 1280);
    r = rig.Run(Texas + rig.ServerOption() + QStringList{"--format", "uiview"});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(ReadFile(rig.Dir.filePath("Maps/t.inf").toStdString())->find("98.26.25W, 34.18.") == 0);
  }

  void FailuresExitOneWithTheError_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("mode");  // of the fourth tile, 9/118/205
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("files");
    const QStringList three = {"Maps/t.txt", "TempTiles/imageC.png", "TempTiles/imageN.png", "TempTiles/imageNE.png"};
    QTest::newRow("404") << Texas << int(TLocalTileServer::tmNotFound) << "9/118/205.png: the server answered 404 Not Found."
                         << three;
    QTest::newRow("not png") << Texas << int(TLocalTileServer::tmNotPng) << "the reply is not a PNG image." << three;
    QTest::newRow("time-out") << Texas << int(TLocalTileServer::tmSilent) << "no answer from the server within 0.3 s."
                              << three;
    QTest::newRow("name") << QStringList{"--lat", "33.5", "--lon", "-97.25", "--name", "../../x"}
                          << int(TLocalTileServer::tmServe) << "\"../../x\" cannot be used as a map name" << QStringList{};
    QTest::newRow("off the earth") << QStringList{"--lat", "95", "--lon", "0"} << int(TLocalTileServer::tmServe)
                                   << "The latitude must lie between -90 and 90 degrees." << QStringList{};
  }
  void FailuresExitOneWithTheError() {
    QFETCH(QStringList, args);
    QFETCH(int, mode);
    QFETCH(QString, error);
    QFETCH(QStringList, files);
    TRig rig;
    WriteFileAtomic(rig.Dir.filePath("mapmaker.ini").toStdString(), "[TileServer]\nTimeoutSeconds=0.3\n");
    rig.Server.Modes["/9/118/205.png"] = TLocalTileServer::TMode(mode);
    const TRun r = rig.Run(args + rig.ServerOption());
    QCOMPARE(r.ExitCode, 1);
    QVERIFY2(r.Err.contains("druv-mapmaker: ") && r.Err.contains(error), qPrintable(r.Err));
    QCOMPARE(rig.Files(), files);
    QVERIFY(!QDir(rig.Dir.path()).exists("../x.txt"));
  }

  void InterruptedDownloadLeavesNoPartialFile() {
    TRig rig;
    rig.Server.Modes["/9/118/205.png"] = TLocalTileServer::tmSilent;
    bool hanging = false;
    rig.Server.OnRequest = [&](const TLocalTileServer::TRequestRec& r) { hanging = r.Path == "/9/118/205.png"; };
    const TRun r = rig.Run(Texas + rig.ServerOption(), [&](QProcess& p) {
      QTRY_VERIFY_WITH_TIMEOUT(hanging, 20000);
      p.terminate();
    });
    QCOMPARE(r.ExitCode, 1);
    QVERIFY2(r.Err.contains("The download was cancelled."), qPrintable(r.Err));
    QCOMPARE(rig.Files(), (QStringList{"Maps/t.txt", "TempTiles/imageC.png", "TempTiles/imageN.png", "TempTiles/imageNE.png"}));
  }

  void BadOptionsExitTwo() {
    TRig rig;
    const QStringList bad[] = {{"--lat", "33.5"},
                               Texas + QStringList{"--format", "png"},
                               Texas + QStringList{"--zoom", "x"},
                               {"--lat", "north", "--lon", "1"},
                               Texas + QStringList{"--colour"},
                               Texas + QStringList{"--server"}};
    for (const QStringList& args : bad) {
      const TRun r = rig.Run(args);
      QCOMPARE(r.ExitCode, 2);
      QVERIFY(r.Err.contains("usage: druv-mapmaker"));
    }
    QVERIFY(rig.Files().isEmpty());
    QVERIFY(rig.Server.Requests.empty());
    QCOMPARE(rig.Run({"--help"}).ExitCode, 0);
  }
};

QTEST_GUILESS_MAIN(MapMakerToolTest)
#include "MapMakerToolTest.moc"
