#pragma once
#include <functional>
#include <vector>

#include "platform/IWaits.h"
#include "platform/fakes/TJournal.h"

namespace druv {

class TRecordingWaits : public IWaits {
 public:
  explicit TRecordingWaits(TJournal* journal = nullptr) : Journal_(journal) {}
  void Wait(int ms) override {
    Waits.push_back(ms);
    if (Journal_) Journal_->Add("wait " + std::to_string(ms));
    if (OnWait) OnWait(ms);
  }
  std::vector<int> Waits;
  std::function<void(int ms)> OnWait;  // what a test looks at while the program waits

 private:
  TJournal* Journal_;
};

}  // namespace druv
