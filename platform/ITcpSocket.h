#pragma once
// A TCP client connection whose events arrive on the UI thread, so a slow or silent server never
// blocks the program.
#include <functional>
#include <string>
#include <string_view>

namespace druv {

class ITcpSocket {
 public:
  virtual ~ITcpSocket() = default;

  // Starts connecting (name lookup included); OnConnected or OnClosed follows later, never inside
  // this call. A connection still open is dropped first, without an event.
  virtual void ConnectToHost(const std::string& host, int port) = 0;
  // Drops the connection at once; no event follows.
  virtual void Abort() = 0;
  // Queues the bytes for sending. Throws druv::Error when the socket is not connected.
  virtual void Write(const std::string& bytes) = 0;
  virtual bool IsConnected() const = 0;

  std::function<void()> OnConnected;
  std::function<void(std::string_view bytes)> OnReceived;
  // Refused, not found, timed out, dropped or closed by the peer: once per connection attempt,
  // after every byte that arrived before it.
  std::function<void(const std::string& why)> OnClosed;
};

}  // namespace druv
