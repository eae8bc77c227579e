// The Qt Network client against a tile server on 127.0.0.1: a tile arrives byte for byte with an
// identifying User-Agent; every kind of failure ends with an error, no file under the tile's
// name and no temporary file, and the client works again for the next tile.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/Files.h"
#include "platform/IHttpClient.h"
#include "platform/qt/TQtHttpClient.h"
#include "tests/integration/TLocalTileServer.h"
#include "tiles/TMapMaker.h"

using namespace druv;

namespace {

const QString Tiles = DRUV_FIXTURES_DIR "/tiles";
const std::string Tile = "/9/117/205.png";

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const TCancelledError& e) {
    return std::string("[cancelled] ") + e.what();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

}  // namespace

class HttpClientTest : public QObject {
  Q_OBJECT

 private slots:
  void TileArrivesWithUserAgent() {
    TLocalTileServer server(Tiles);
    QTemporaryDir dir;
    TQtHttpClient http(TileUserAgent());
    const std::string path = dir.filePath("imageC.png").toStdString();
    WriteFileAtomic(path, "older tile");
    http.GetToFile(server.Base() + Tile.substr(1), path);
    QCOMPARE(*ReadFile(path), *ReadFile(DRUV_FIXTURES_DIR "/tiles" + Tile));
    QCOMPARE(server.Requests.size(), size_t(1));
    QCOMPARE(server.Requests[0].Path, Tile);
    QVERIFY(server.Requests[0].UserAgent.find("DRUVaprs/0.97") == 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"imageC.png"});
  }

  void FailuresLeaveNothingAndTheClientGoesOn_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("error");
    QTest::newRow("404") << int(TLocalTileServer::tmNotFound) << "the server answered 404 Not Found.";
    QTest::newRow("500") << int(TLocalTileServer::tmServerError) << "the server answered 500 Internal Server Error.";
    QTest::newRow("time-out") << int(TLocalTileServer::tmSilent) << "no answer from the server within 0.3 s.";
    QTest::newRow("cut short") << int(TLocalTileServer::tmTruncated) << "the reply ended after 917 of 1835 bytes.";
    QTest::newRow("refused") << -1 << "Connection refused.";
  }
  void FailuresLeaveNothingAndTheClientGoesOn() {
    QFETCH(int, mode);
    QFETCH(QString, error);
    TLocalTileServer server(Tiles);
    if (mode >= 0) server.Modes[Tile] = TLocalTileServer::TMode(mode);
    QTemporaryDir dir;
    TQtHttpClient http(TileUserAgent(), 300);
    const std::string path = dir.filePath("imageC.png").toStdString();
    WriteFileAtomic(path, "older tile");
    const std::string base = mode >= 0 ? server.Base() : "http://127.0.0.1:" + std::to_string(TLocalTileServer::ClosedPort()) + "/";
    const std::string url = base + Tile.substr(1);

    const std::string got = ErrorOf([&] { http.GetToFile(url, path); });
    QVERIFY2(got.find("Could not fetch " + url + ": ") == 0, got.c_str());
    if (!error.isEmpty()) QVERIFY2(got.find(error.toStdString()) != std::string::npos, got.c_str());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // The same client fetches the next tile.
    http.GetToFile(server.Base() + "9/117/204.png", path);
    QCOMPARE(*ReadFile(path), *ReadFile(DRUV_FIXTURES_DIR "/tiles/9/117/204.png"));
  }

  void AbortEndsAFetchAsCancelled() {
    TLocalTileServer server(Tiles);
    server.Default = TLocalTileServer::tmSilent;
    QTemporaryDir dir;
    TQtHttpClient http(TileUserAgent());  // the full time-out: only the abort can end it
    QTimer::singleShot(50, [&] { http.Abort(); });
    const std::string path = dir.filePath("imageC.png").toStdString();
    QCOMPARE(ErrorOf([&] { http.GetToFile(server.Base() + Tile.substr(1), path); }),
             std::string("[cancelled] The download was cancelled."));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    http.Abort();  // nothing running: no effect
  }

  void BadAddressesAndFolders() {
    QTemporaryDir dir;
    TQtHttpClient http(TileUserAgent(), 300);
    const std::string path = dir.filePath("x.png").toStdString();
    QVERIFY(ErrorOf([&] { http.GetToFile("ftp://127.0.0.1/x.png", path); }).find("not an http or https address") !=
            std::string::npos);
    TLocalTileServer server(Tiles);
    const std::string missing = dir.filePath("no-such-folder/x.png").toStdString();
    QVERIFY(ErrorOf([&] { http.GetToFile(server.Base() + Tile.substr(1), missing); }).find("Cannot create file") == 0);
    QVERIFY(server.Requests.empty());  // the file comes first: nothing is fetched for nowhere
  }

  void NotPngBodyIsRefusedByTheMapMaker() {
    TLocalTileServer server(Tiles);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("TempTiles");
    QDir(dir.path()).mkdir("Maps");
    TQtHttpClient http(TileUserAgent(), 300);
    TMapMaker maker(http, dir.path().toStdString(), server.Base());
    TMapRequestRec request;
    request.LatitudeText = "33.5";
    request.LongitudeText = "-97.25";
    const TTileBlockRec block = maker.Plan(request);
    server.Modes["/" + block.Tiles[1].Key + ".png"] = TLocalTileServer::tmNotPng;
    const std::string got = ErrorOf([&] { maker.FetchTiles(block); });
    QVERIFY2(got.find("not a PNG image") != std::string::npos, got.c_str());
    QCOMPARE(QDir(dir.filePath("TempTiles")).entryList(QDir::Files), QStringList{"imageC.png"});
  }
};

QTEST_GUILESS_MAIN(HttpClientTest)
#include "HttpClientTest.moc"
