#pragma once
// A tile server on 127.0.0.1 inside the test process: serves the PNG files of a folder as
// /z/x/y.png, and on request fails a tile in one of the ways real servers do.
#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace druv {

class TLocalTileServer {
 public:
  enum TMode { tmServe, tmNotFound, tmServerError, tmSilent, tmTruncated, tmNotPng };
  struct TRequestRec {
    std::string Path, UserAgent;
  };

  explicit TLocalTileServer(QString tileFolder) : Folder_(std::move(tileFolder)) {
    Server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&Server_, &QTcpServer::newConnection, &Server_, [this] {
      while (QTcpSocket* s = Server_.nextPendingConnection()) {
        s->setParent(&Server_);
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { Read(s); });
        QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
          Buffers_.erase(s);
          s->deleteLater();
        });
      }
    });
  }

  quint16 Port() const { return Server_.serverPort(); }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(Port()) + "/"; }
  // A port on which nothing listens: connections are refused.
  static quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
  }

  std::map<std::string, TMode> Modes;  // by path, "/9/117/205.png"
  TMode Default = tmServe;
  std::vector<TRequestRec> Requests;
  // Runs when a request has arrived, before it is answered.
  std::function<void(const TRequestRec&)> OnRequest;

 private:
  void Read(QTcpSocket* s) {
    QByteArray& buffer = Buffers_[s];
    buffer += s->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.clear();
    TRequestRec r;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r.Path = first.value(1).toStdString();
    for (const QByteArray& l : lines)
      if (l.toLower().startsWith("user-agent:")) r.UserAgent = l.mid(11).trimmed().toStdString();
    Requests.push_back(r);
    if (OnRequest) OnRequest(r);
    auto m = Modes.find(r.Path);
    Answer(s, r.Path, m == Modes.end() ? Default : m->second);
  }

  static void Send(QTcpSocket* s, const QByteArray& status, const QByteArray& type, const QByteArray& body,
                   qsizetype announced = -1) {
    s->write("HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
             QByteArray::number(announced < 0 ? body.size() : announced) + "\r\nConnection: close\r\n\r\n" + body);
    s->disconnectFromHost();
  }

  void Answer(QTcpSocket* s, const std::string& path, TMode mode) {
    QByteArray tile;
    QFile f(Folder_ + QString::fromStdString(path));
    if (mode == tmServe || mode == tmTruncated) {
      if (path.find("..") != std::string::npos || !f.open(QIODevice::ReadOnly)) mode = tmNotFound;
      else tile = f.readAll();
    }
    switch (mode) {
      case tmServe: return Send(s, "200 OK", "image/png", tile);
      case tmNotFound: return Send(s, "404 Not Found", "text/plain", "no such tile");
      case tmServerError: return Send(s, "500 Internal Server Error", "text/plain", "broken");
      case tmSilent: return;  // connected, never answers
      case tmTruncated: return Send(s, "200 OK", "image/png", tile.left(tile.size() / 2), tile.size());
      case tmNotPng: return Send(s, "200 OK", "text/html", "<html><body>Tile usage policy</body></html>");
    }
  }

  QString Folder_;
  std::map<QTcpSocket*, QByteArray> Buffers_;  // before Server_: its sockets still report on their way out
  QTcpServer Server_;
};

}  // namespace druv
