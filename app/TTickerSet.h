#pragma once
// The running tickers. Each "Packet ON" adds one; all of them end when the worker stop flag is
// set, and every one is stopped and joined before the set goes away, so none outlives the windows
// its steps touch.
#include <QObject>
#include <memory>
#include <vector>

#include "app/ThreadOne.h"

namespace druv {

class TTickerSet {
 public:
  // Must be created on the UI thread: the steps run there.
  TTickerSet(ThreadOne::TStep captionStep, ThreadOne::TStep populateStep, int periodMs = 500);
  ~TTickerSet();
  TTickerSet(const TTickerSet&) = delete;
  TTickerSet& operator=(const TTickerSet&) = delete;

  // A new ticker, already running.
  ThreadOne& Start();
  // Asks every ticker to end, then joins them all (while running their pending UI steps).
  void StopAll();
  int RunningCount() const;
  // Every ticker started so far, in start order, ended ones included.
  const std::vector<std::unique_ptr<ThreadOne>>& Tickers() const { return Tickers_; }

 private:
  QObject UiContext_;
  ThreadOne::TStep CaptionStep_, PopulateStep_;
  int PeriodMs_;
  std::vector<std::unique_ptr<ThreadOne>> Tickers_;
};

}  // namespace druv
