#include "radio/TSourceConnection.h"

#include <algorithm>

#include "common/Error.h"

namespace druv {

TSourceConnection::TSourceConnection(std::string title, std::unique_ptr<ISourceLink> link,
                         std::unique_ptr<ISourceProtocol> protocol, ISteadyClock& clock)
    : Title_(std::move(title)), Link_(std::move(link)), Protocol_(std::move(protocol)), Clock_(clock) {
  Link_->OnOpened = [this] { Opened(); };
  Link_->OnBytes = [this](std::string_view b) { Received(b); };
  Link_->OnClosed = [this](const std::string& why) { Lost(why); };
  Protocol_->OnLine = [this](const std::string& line) {
    if (OnLine) OnLine(line);
  };
  Protocol_->OnServerMessage = [this](const std::string& text) {
    ServerMessage_ = text;
    Changed();
  };
}

TSourceConnection::~TSourceConnection() {
  State_ = ssOff;
  Link_->Close();
}

void TSourceConnection::Changed() {
  if (OnStatusChanged) OnStatusChanged();
}

void TSourceConnection::Connect() {
  if (State_ != ssOff) return;
  NextDelayMs_ = FirstRetryMs;
  LastError_.clear();
  Attempt();
}

void TSourceConnection::Disconnect() {
  if (State_ == ssOff) return;
  State_ = ssOff;
  Link_->Close();
  Protocol_->Reset();
  Changed();
}

void TSourceConnection::Attempt() {
  State_ = ssConnecting;
  AttemptAtMs_ = Clock_.NowMs();
  Protocol_->Reset();
  Changed();
  // The link may report its outcome before Open returns (a serial port opens at once).
  Link_->Open();
}

void TSourceConnection::Opened() {
  if (State_ != ssConnecting) return;
  State_ = ssConnected;
  ConnectedAtMs_ = LastByteAtMs_ = Clock_.NowMs();
  LastError_.clear();
  const std::string greeting = Protocol_->Greeting();
  if (!greeting.empty()) {
    try {
      Link_->Write(greeting);
    } catch (const Error& e) {
      Link_->Close();
      Lost(e.what());
      return;
    }
  }
  Changed();
}

void TSourceConnection::Received(std::string_view bytes) {
  if (State_ != ssConnected) return;
  LastByteAtMs_ = Clock_.NowMs();
  const std::string before = Protocol_->Counters();
  Protocol_->Feed(bytes);
  if (Protocol_->Counters() != before) Changed();
}

void TSourceConnection::Lost(const std::string& why) {
  if (State_ != ssConnecting && State_ != ssConnected) return;
  const int64_t now = Clock_.NowMs();
  // A link that held for a good while earns a quick retry; one that keeps failing backs off.
  if (State_ == ssConnected && now - ConnectedAtMs_ >= LongestRetryMs) NextDelayMs_ = FirstRetryMs;
  Protocol_->Reset();
  State_ = ssWaiting;
  RetryAtMs_ = now + NextDelayMs_;
  NextDelayMs_ = std::min(NextDelayMs_ * 2, LongestRetryMs);
  LastError_ = why;
  ShownRetrySec_ = -1;
  Changed();
}

int64_t TSourceConnection::RetryInMs() const {
  return State_ == ssWaiting ? std::max<int64_t>(RetryAtMs_ - Clock_.NowMs(), 0) : 0;
}

void TSourceConnection::Poll() {
  const int64_t now = Clock_.NowMs();
  switch (State_) {
    case ssWaiting:
      if (now >= RetryAtMs_) {
        Attempt();
      } else if (const int64_t sec = (RetryAtMs_ - now + 999) / 1000; sec != ShownRetrySec_) {
        ShownRetrySec_ = sec;
        Changed();
      }
      break;
    case ssConnecting:
      if (now - AttemptAtMs_ >= ConnectTimeoutMs) {
        Link_->Close();
        Lost("no answer in " + std::to_string(ConnectTimeoutMs / 1000) + " s");
      }
      break;
    case ssConnected:
      if (const int64_t limit = Protocol_->SilenceLimitMs(); limit > 0 && now - LastByteAtMs_ >= limit) {
        Link_->Close();
        Lost("nothing received for " + std::to_string(limit / 1000) + " s");
      }
      break;
    case ssOff: break;
  }
}

std::string TSourceConnection::StatusText() const {
  std::string text = Title_ + " " + Link_->Describe() + ": ";
  switch (State_) {
    case ssOff: text += "off"; break;
    case ssConnecting: text += "connecting"; break;
    case ssConnected: text += "connected"; break;
    case ssWaiting: text += "reconnecting in " + std::to_string((RetryInMs() + 999) / 1000) + " s"; break;
  }
  if (State_ != ssConnected && !LastError_.empty()) text += " (" + LastError_ + ")";
  const std::string counters = Protocol_->Counters();
  if (!counters.empty()) text += ", " + counters;
  if (!ServerMessage_.empty()) text += " - " + ServerMessage_;
  return text;
}

TSendResult TSourceConnection::Send(const TOwnPacketRec& packet) {
  const TEncodedRec encoded = Protocol_->Encode(packet);
  if (encoded.Result != srSent) return encoded.Result;
  if (State_ != ssConnected) return srNotConnected;
  try {
    Link_->Write(encoded.Bytes);
  } catch (const Error& e) {
    Link_->Close();
    Lost(e.what());
    return srNotConnected;
  }
  return srSent;
}

}  // namespace druv
