#pragma once
// ITcpSocket over QTcpSocket; events are delivered on the thread that owns the object.
#include <QObject>

#include "platform/ITcpSocket.h"

class QTcpSocket;

namespace druv {

class TQtTcpSocket : public QObject, public ITcpSocket {
  Q_OBJECT
 public:
  explicit TQtTcpSocket(QObject* parent = nullptr);
  ~TQtTcpSocket() override;

  void ConnectToHost(const std::string& host, int port) override;
  void Abort() override;
  void Write(const std::string& bytes) override;
  bool IsConnected() const override;

 private:
  void Connected();
  void Deliver();
  void Finish(const std::string& why);

  QTcpSocket* Socket_;
  // The current attempt has already reported its end (or was aborted): nothing more is reported.
  bool Finished_ = true;
};

}  // namespace druv
