#pragma once
// The ticker: twice a second it refreshes the main window's caption clock and runs the station-log
// update. It never touches windows or data itself: each step runs on the UI thread through a
// blocking queued call, and the ticker waits for it.
#include <QThread>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace druv {

class ThreadOne : public QThread {
  Q_OBJECT
 public:
  using TStep = std::function<void()>;

  // uiContext lives on the UI thread and outlives the ticker; both steps run there.
  ThreadOne(QObject* uiContext, TStep captionStep, TStep populateStep, int periodMs = 500);
  // Stops and joins (see Join).
  ~ThreadOne() override;

  // Asks the loop to end at its next check and cuts its sleep short. Does not wait.
  void Stop();
  // Waits for the thread to end. Called on the UI thread, it keeps running the ticker's pending
  // UI step meanwhile, so a ticker blocked in its queued call cannot deadlock the join.
  void Join();

  // Text of the error that ended this ticker; empty while it runs or when it ended normally.
  std::string Failure() const;
  bool Failed() const;

 protected:
  void run() override;

 private:
  enum class TStepResult { srDone, srStopped, srFailed };
  TStepResult RunOnUi(const TStep& step, bool skipWhenStopFlagSet);
  bool StopRequested() const;
  // False when Stop cut the sleep short.
  bool Sleep();

  QObject* UiContext_;
  TStep CaptionStep_, PopulateStep_;
  int PeriodMs_;

  mutable std::mutex Mutex_;
  std::condition_variable StopSignal_;
  bool Stop_ = false;
  bool Failed_ = false;
  std::string Failure_;
};

}  // namespace druv
