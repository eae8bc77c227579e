#include "radio/TRxAssembler.h"

#include "common/Text.h"

namespace druv {

bool TRxAssembler::IsRawPacketLine(const std::string& rxLine) {
  if (rxLine.find('>') == std::string::npos) return false;
  std::string_view head = std::string_view(rxLine).substr(0, 3);
  return head != "cmd" && head != "TC ";
}

void TRxAssembler::DiscardLine() {
  RxLine_.clear();
  Discarding_ = false;
}

void TRxAssembler::Char(char c) {
  if (Discarding_) {
    if (c == '\r') Discarding_ = false;
    return;
  }
  if (RxLine_.size() >= MaxLineLength && c != '\r') {
    RxLine_.clear();
    RxLine_.shrink_to_fit();
    Discarding_ = true;
    return;
  }
  RxLine_ += c;
  if (c != '\r' || RxLine_.size() <= 2) return;
  std::string line = Trim(RxLine_);
  if (IsRawPacketLine(RxLine_) && OnRawLine) OnRawLine(line);
  try {
    if (OnStatusLine) OnStatusLine(line);
  } catch (...) {
    // Showing the line must never stop reception.
  }
  RxLine_.clear();
}

}  // namespace druv
