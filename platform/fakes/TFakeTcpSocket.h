#pragma once
// A TCP socket driven by the test: it records connects and writes, and the test plays the
// server's side (accept, refuse, send bytes, drop).
#include <string>
#include <vector>

#include "platform/ITcpSocket.h"

namespace druv {

class TFakeTcpSocket : public ITcpSocket {
 public:
  // What the station asked for.
  std::vector<std::string> Connects;  // "host:port", one per attempt
  std::string Written;                // bytes written on the current connection
  int Aborts = 0;
  bool Connecting() const { return Connecting_; }

  // The server's side.
  void Accept();
  void Refuse(const std::string& why = "Connection refused");
  void Send(std::string_view bytes);
  void Drop(const std::string& why = "The remote host closed the connection");

  void ConnectToHost(const std::string& host, int port) override;
  void Abort() override;
  void Write(const std::string& bytes) override;
  bool IsConnected() const override { return Connected_; }

 private:
  bool Connecting_ = false, Connected_ = false;
};

}  // namespace druv
