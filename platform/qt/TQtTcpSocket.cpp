#include "platform/qt/TQtTcpSocket.h"

#include <QTcpSocket>

#include "common/Error.h"
#include "platform/qt/QtText.h"

#ifdef __linux__
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace druv {

namespace {

// A peer that vanished without a word (power cut, dead router) is noticed after about 90 s of
// silence on a link that is otherwise quiet, as a KISS link on an idle channel is.
void ProbeDeadPeers(QTcpSocket* socket) {
  socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef __linux__
  const int fd = static_cast<int>(socket->socketDescriptor());
  if (fd < 0) return;
  const int idleSec = 60, intervalSec = 10, probes = 3;
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSec, sizeof idleSec);
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSec, sizeof intervalSec);
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
#endif
}

}  // namespace

TQtTcpSocket::TQtTcpSocket(QObject* parent) : QObject(parent), Socket_(new QTcpSocket(this)) {
  connect(Socket_, &QTcpSocket::connected, this, &TQtTcpSocket::Connected);
  connect(Socket_, &QTcpSocket::readyRead, this, &TQtTcpSocket::Deliver);
  connect(Socket_, &QTcpSocket::errorOccurred, this,
          [this](QAbstractSocket::SocketError) { Finish(FromQString(Socket_->errorString())); });
  connect(Socket_, &QTcpSocket::disconnected, this, [this] { Finish("The connection was closed."); });
}

TQtTcpSocket::~TQtTcpSocket() {
  Finished_ = true;
  Socket_->disconnect(this);
  Socket_->abort();
}

void TQtTcpSocket::ConnectToHost(const std::string& host, int port) {
  Abort();
  Finished_ = false;
  Socket_->connectToHost(ToQString(host), static_cast<quint16>(port));
}

void TQtTcpSocket::Abort() {
  Finished_ = true;
  Socket_->abort();
}

bool TQtTcpSocket::IsConnected() const { return Socket_->state() == QAbstractSocket::ConnectedState; }

void TQtTcpSocket::Write(const std::string& bytes) {
  if (!IsConnected()) throw Error("The connection is not open.");
  if (Socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
    throw Error(FromQString(Socket_->errorString()));
}

void TQtTcpSocket::Connected() {
  if (Finished_) return;
  ProbeDeadPeers(Socket_);
  if (OnConnected) OnConnected();
}

void TQtTcpSocket::Deliver() {
  if (Finished_) return;
  const QByteArray data = Socket_->readAll();
  if (!data.isEmpty() && OnReceived) OnReceived(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

void TQtTcpSocket::Finish(const std::string& why) {
  if (Finished_) return;
  // Bytes that arrived just before the close are still the server's; deliver them first.
  if (Socket_->bytesAvailable() > 0) Deliver();
  if (Finished_) return;
  Finished_ = true;
  if (OnClosed) OnClosed(why);
}

}  // namespace druv
