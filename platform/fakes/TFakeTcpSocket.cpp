#include "platform/fakes/TFakeTcpSocket.h"

#include "common/Error.h"

namespace druv {

void TFakeTcpSocket::ConnectToHost(const std::string& host, int port) {
  Connects.push_back(host + ":" + std::to_string(port));
  Connected_ = false;
  Connecting_ = true;
  Written.clear();
}

void TFakeTcpSocket::Abort() {
  ++Aborts;
  Connecting_ = Connected_ = false;
}

void TFakeTcpSocket::Accept() {
  if (!Connecting_) return;
  Connecting_ = false;
  Connected_ = true;
  if (OnConnected) OnConnected();
}

void TFakeTcpSocket::Refuse(const std::string& why) {
  if (!Connecting_) return;
  Connecting_ = false;
  if (OnClosed) OnClosed(why);
}

void TFakeTcpSocket::Send(std::string_view bytes) {
  if (Connected_ && OnReceived) OnReceived(bytes);
}

void TFakeTcpSocket::Drop(const std::string& why) {
  if (!Connected_) return;
  Connected_ = false;
  if (OnClosed) OnClosed(why);
}

void TFakeTcpSocket::Write(const std::string& bytes) {
  if (!Connected_) throw Error("The socket is not connected.");
  Written += bytes;
}

}  // namespace druv
