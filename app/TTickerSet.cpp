#include "app/TTickerSet.h"

namespace druv {

TTickerSet::TTickerSet(ThreadOne::TStep captionStep, ThreadOne::TStep populateStep, int periodMs)
    : CaptionStep_(std::move(captionStep)), PopulateStep_(std::move(populateStep)), PeriodMs_(periodMs) {}

TTickerSet::~TTickerSet() { StopAll(); }

ThreadOne& TTickerSet::Start() {
  // Ended tickers are few (one per "Packet ON") and cheap; they stay for their Failure().
  Tickers_.push_back(std::make_unique<ThreadOne>(&UiContext_, CaptionStep_, PopulateStep_, PeriodMs_));
  Tickers_.back()->start();
  return *Tickers_.back();
}

void TTickerSet::StopAll() {
  for (auto& t : Tickers_) t->Stop();
  for (auto& t : Tickers_) t->Join();
}

int TTickerSet::RunningCount() const {
  int n = 0;
  for (const auto& t : Tickers_)
    if (t->isRunning()) ++n;
  return n;
}

}  // namespace druv
