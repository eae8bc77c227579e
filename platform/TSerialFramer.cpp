#include "platform/TSerialFramer.h"

#include <algorithm>

namespace druv {

namespace {
// A '?' in the start text stands for any one byte.
bool EndsWithStart(const std::string& s, const std::string& start) {
  if (s.size() < start.size()) return false;
  const size_t from = s.size() - start.size();
  for (size_t i = 0; i < start.size(); ++i)
    if (start[i] != '?' && start[i] != s[from + i]) return false;
  return true;
}
}  // namespace

TSerialFramer::TSerialFramer(std::string start, std::string stop, size_t maxFrameBytes)
    : Start_(std::move(start)), Stop_(std::move(stop)), MaxFrameBytes_(std::max(maxFrameBytes, Start_.size() + Stop_.size())) {
  if (Start_.empty()) Start_ = " ";
  if (Stop_.empty()) Stop_ = " ";
}

void TSerialFramer::Feed(std::string_view bytes) {
  for (char c : bytes) Feed(c);
}

void TSerialFramer::Feed(char c) {
  Buffer_ += c;
  if (!InFrame_) {
    if (EndsWithStart(Buffer_, Start_)) {
      Buffer_.erase(0, Buffer_.size() - Start_.size());
      InFrame_ = true;
    } else {
      KeepTailForStart();
    }
    return;
  }
  // The stop text is looked for only after the start text, which may itself contain it.
  if (Buffer_.size() >= Start_.size() + Stop_.size() && Buffer_.ends_with(Stop_)) {
    std::string frame;
    frame.swap(Buffer_);
    // The stop text is usually the beginning of the next sentence: it may open the next frame.
    Buffer_ = Stop_;
    InFrame_ = false;
    if (EndsWithStart(Buffer_, Start_)) {
      InFrame_ = true;
    } else {
      KeepTailForStart();
    }
    // State is settled before the call, so a handler that feeds more bytes finds it consistent.
    if (auto handler = OnFrame) handler(frame);
    return;
  }
  if (Buffer_.size() > MaxFrameBytes_) {
    InFrame_ = false;
    KeepTailForStart();
  }
}

void TSerialFramer::KeepTailForStart() {
  const size_t keep = Start_.size() - 1;
  if (Buffer_.size() > keep) Buffer_.erase(0, Buffer_.size() - keep);
}

void TSerialFramer::Reset() {
  Buffer_.clear();
  InFrame_ = false;
}

}  // namespace druv
