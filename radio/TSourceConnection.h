#pragma once
// A station line source other than the TS-2000: a protocol over a link, kept connected. A link
// that is refused, drops, or (where the protocol expects traffic) falls silent is opened again
// after 1 s, then 2, 4 ... up to 60 s; a half line from a lost link is dropped, never filed.
// Everything runs on the UI thread; nothing here blocks.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/ISteadyClock.h"
#include "radio/ISourceLink.h"
#include "radio/ISourceProtocol.h"

namespace druv {

enum TSourceState : unsigned char { ssOff, ssConnecting, ssConnected, ssWaiting };

class TSourceConnection {
 public:
  static constexpr int64_t FirstRetryMs = 1000;
  static constexpr int64_t LongestRetryMs = 60000;
  // A connect that has had no answer by then is given up (a host that drops the request).
  static constexpr int64_t ConnectTimeoutMs = 30000;

  // title names the source in the status bar ("KISS TCP", "APRS-IS").
  TSourceConnection(std::string title, std::unique_ptr<ISourceLink> link, std::unique_ptr<ISourceProtocol> protocol,
              ISteadyClock& clock);
  ~TSourceConnection();
  TSourceConnection(const TSourceConnection&) = delete;
  TSourceConnection& operator=(const TSourceConnection&) = delete;

  void Connect();     // from off: opens now
  void Disconnect();  // closes; no retry follows
  // Runs due retries and time-outs; call it a few times a second.
  void Poll();

  TSourceState State() const { return State_; }
  // Until the next attempt, while waiting.
  int64_t RetryInMs() const;
  // "APRS-IS rotate.aprs2.net:14580: reconnecting in 4 s (Connection refused)".
  std::string StatusText() const;
  const std::string& LastServerMessage() const { return ServerMessage_; }

  TSendResult Send(const TOwnPacketRec& packet);

  // Every received line, in order, exactly once.
  std::function<void(const std::string& line)> OnLine;
  // State, countdown, server message or counters changed.
  std::function<void()> OnStatusChanged;

 private:
  void Attempt();
  void Opened();
  void Received(std::string_view bytes);
  void Lost(const std::string& why);
  void Changed();

  std::string Title_;
  std::unique_ptr<ISourceLink> Link_;
  std::unique_ptr<ISourceProtocol> Protocol_;
  ISteadyClock& Clock_;

  TSourceState State_ = ssOff;
  int64_t NextDelayMs_ = FirstRetryMs;
  int64_t AttemptAtMs_ = 0, ConnectedAtMs_ = 0, LastByteAtMs_ = 0, RetryAtMs_ = 0;
  int64_t ShownRetrySec_ = -1;
  std::string LastError_, ServerMessage_;
};

}  // namespace druv
