#include "radio/TKissProtocol.h"

#include "radio/Ax25Codec.h"

namespace druv {

TKissProtocol::TKissProtocol() {
  Kiss_.OnFrame = [this](int, std::string_view ax25) { Frame(ax25); };
}

void TKissProtocol::Frame(std::string_view ax25) {
  TFrameDecodeRec d = Ax25ToMonitorLine(ax25);
  switch (d.Verdict) {
    case fvLine:
      ++Lines_;
      if (OnLine) OnLine(d.Line);
      break;
    case fvNotAprs: ++NotAprs_; break;
    case fvMalformed: ++Malformed_; break;
  }
}

TEncodedRec TKissProtocol::Encode(const TOwnPacketRec& packet) const {
  if (!IsSendableInfo(packet.Info)) return {srBadText, {}};
  const auto frame = Ax25UiFrame(packet.Source, packet.Destination, packet.Path, packet.Info);
  if (!frame) return {srBadAddress, {}};
  return {srSent, KissDataFrame(0, *frame)};
}

std::string TKissProtocol::Counters() const {
  std::string out;
  if (const uint64_t n = Skipped()) out = std::to_string(n) + (n == 1 ? " frame" : " frames") + " skipped";
  if (const uint64_t n = Malformed()) out += (out.empty() ? "" : ", ") + std::to_string(n) + " malformed";
  return out;
}

}  // namespace druv
