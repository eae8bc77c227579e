#pragma once
// Where received lines are handed over: the raw packet list, the status line, and the queue the
// station log drains. Every line put into the status line is queued, so none is lost when
// several arrive within one ticker cycle.
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace druv {

class TReceivedLines {
 public:
  // Raw packet list: arrival order, duplicates kept.
  const std::vector<std::string>& RawPackets() const { return Raw_; }
  void AppendRaw(const std::string& line);
  void ClearRaw();
  // Let a list model announce changes (before and after, as Qt models must).
  std::function<void(size_t index)> OnRawAboutToAppend, OnRawAppended;
  std::function<void()> OnRawAboutToClear, OnRawCleared;

  // Status line text, and the queue behind it.
  const std::string& StatusLine() const { return Status_; }
  void SetStatusLine(const std::string& line);  // a received line: shown and queued
  void ShowStatusText(const std::string& text);  // a program message: shown, not queued
  std::function<void(const std::string&)> OnStatusChanged;

  // Hands every queued line, oldest first, to process, exactly once.
  // A line whose processing throws is not processed again; the error is passed on.
  void Drain(const std::function<void(const std::string&)>& process);
  size_t Pending() const { return Queue_.size(); }

 private:
  std::vector<std::string> Raw_;
  std::string Status_;
  std::deque<std::string> Queue_;
};

}  // namespace druv
