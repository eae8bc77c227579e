#include "radio/TReceivedLines.h"

namespace druv {

void TReceivedLines::AppendRaw(const std::string& line) {
  if (OnRawAboutToAppend) OnRawAboutToAppend(Raw_.size());
  Raw_.push_back(line);
  if (OnRawAppended) OnRawAppended(Raw_.size() - 1);
}

void TReceivedLines::ClearRaw() {
  if (OnRawAboutToClear) OnRawAboutToClear();
  Raw_.clear();
  if (OnRawCleared) OnRawCleared();
}

void TReceivedLines::SetStatusLine(const std::string& line) {
  Queue_.push_back(line);
  ShowStatusText(line);
}

void TReceivedLines::ShowStatusText(const std::string& text) {
  Status_ = text;
  if (OnStatusChanged) OnStatusChanged(Status_);
}

void TReceivedLines::Drain(const std::function<void(const std::string&)>& process) {
  while (!Queue_.empty()) {
    std::string line = std::move(Queue_.front());
    Queue_.pop_front();
    if (process) process(line);
  }
}

}  // namespace druv
