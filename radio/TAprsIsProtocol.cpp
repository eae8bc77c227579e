#include "radio/TAprsIsProtocol.h"

#include "common/Text.h"

namespace druv {

int AprsIsPasscode(std::string_view call) {
  const std::string c = UpperCase(call.substr(0, call.find('-')));
  unsigned hash = 0x73E2;
  for (size_t i = 0; i < c.size(); i += 2) {
    hash ^= static_cast<unsigned>(static_cast<unsigned char>(c[i])) << 8;
    if (i + 1 < c.size()) hash ^= static_cast<unsigned char>(c[i + 1]);
  }
  return static_cast<int>(hash & 0x7FFF);
}

TAprsIsProtocol::TAprsIsProtocol(std::string call, int passcode, std::string filter)
    : Call_(std::move(call)), Filter_(std::move(filter)), Passcode_(passcode) {}

std::string TAprsIsProtocol::Greeting() const {
  std::string login = "user " + Call_ + " pass " + std::to_string(Passcode_) + " vers " + AprsIsSoftware;
  if (!Filter_.empty()) login += " filter " + Filter_;
  return login + "\r\n";
}

void TAprsIsProtocol::Reset() {
  Line_.clear();
  Discarding_ = false;
}

void TAprsIsProtocol::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t lf = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, lf);
    if (!Discarding_) {
      if (Line_.size() + piece.size() > MaxLineLength) {
        Line_.clear();
        Discarding_ = true;
      } else {
        Line_.append(piece);
      }
    }
    if (lf == std::string_view::npos) return;
    bytes.remove_prefix(lf + 1);
    if (Discarding_)
      Discarding_ = false;
    else
      EndLine();
    Line_.clear();
  }
}

void TAprsIsProtocol::EndLine() {
  if (!Line_.empty() && Line_.back() == '\r') Line_.pop_back();
  if (Line_.empty()) return;
  if (Line_[0] == '#') {
    if (OnServerMessage) OnServerMessage(Line_);
  } else if (OnLine) {
    OnLine(Line_);
  }
}

TEncodedRec TAprsIsProtocol::Encode(const TOwnPacketRec& packet) const {
  if (Passcode_ == AprsIsNoPasscode) return {srReceiveOnly, {}};
  if (!IsSendableInfo(packet.Info)) return {srBadText, {}};
  for (const std::string* call : {&packet.Source, &packet.Destination}) {
    if (call->empty()) return {srBadAddress, {}};
    for (unsigned char c : *call)
      if (c <= 0x20 || c == '>' || c == ',' || c == ':' || c == '*') return {srBadAddress, {}};
  }
  return {srSent, packet.Source + ">" + packet.Destination + ",TCPIP*:" + packet.Info + "\r\n"};
}

}  // namespace druv
