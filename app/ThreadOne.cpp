#include "app/ThreadOne.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <exception>

#include "common/ProcessFlags.h"

namespace druv {

ThreadOne::ThreadOne(QObject* uiContext, TStep captionStep, TStep populateStep, int periodMs)
    : UiContext_(uiContext),
      CaptionStep_(std::move(captionStep)),
      PopulateStep_(std::move(populateStep)),
      PeriodMs_(periodMs) {}

ThreadOne::~ThreadOne() {
  // A QThread destroyed while running aborts the process.
  Stop();
  Join();
}

void ThreadOne::Stop() {
  {
    std::lock_guard lock(Mutex_);
    Stop_ = true;
  }
  StopSignal_.notify_all();
}

bool ThreadOne::StopRequested() const {
  std::lock_guard lock(Mutex_);
  return Stop_;
}

void ThreadOne::Join() {
  if (QThread::currentThread() != UiContext_->thread()) {
    wait();
    return;
  }
  // Only the ticker's own queued calls are delivered here, so no other handler re-enters.
  while (!wait(QDeadlineTimer(5))) QCoreApplication::sendPostedEvents(UiContext_, QEvent::MetaCall);
}

std::string ThreadOne::Failure() const {
  std::lock_guard lock(Mutex_);
  return Failure_;
}

bool ThreadOne::Failed() const {
  std::lock_guard lock(Mutex_);
  return Failed_;
}

bool ThreadOne::Sleep() {
  std::unique_lock lock(Mutex_);
  return !StopSignal_.wait_for(lock, std::chrono::milliseconds(PeriodMs_), [this] { return Stop_; });
}

ThreadOne::TStepResult ThreadOne::RunOnUi(const TStep& step, bool skipWhenStopFlagSet) {
  bool ran = false, skipped = false, failed = false;
  std::string failure;
  QMetaObject::invokeMethod(
      UiContext_,
      [&] {
        ran = true;
        // The flag is written on the UI thread only, so this check is exact: once it is set,
        // no ticker runs the step again, even one that read the flag just before.
        if (skipWhenStopFlagSet && WorkerStopFlag.load(std::memory_order_relaxed) == 1) {
          skipped = true;
          return;
        }
        // An exception must not cross the event loop; it ends this ticker only.
        try {
          if (step) step();
        } catch (const std::exception& e) {
          failed = true;
          failure = e.what();
        } catch (...) {
          failed = true;
          failure = "Unknown error";
        }
      },
      Qt::BlockingQueuedConnection);
  if (failed) {
    std::lock_guard lock(Mutex_);
    Failed_ = true;
    Failure_ = failure.empty() ? "Unknown error" : failure;
    return TStepResult::srFailed;
  }
  // Not run at all: the UI side dropped the call (it is shutting down).
  if (!ran || skipped) return TStepResult::srStopped;
  return TStepResult::srDone;
}

void ThreadOne::run() {
  while (!StopRequested()) {
    if (RunOnUi(CaptionStep_, false) != TStepResult::srDone) return;
    if (!Sleep()) return;
    if (WorkerStopFlag.load(std::memory_order_relaxed) == 1) return;
    if (StopRequested()) return;
    if (RunOnUi(PopulateStep_, true) != TStepResult::srDone) return;
  }
}

}  // namespace druv
