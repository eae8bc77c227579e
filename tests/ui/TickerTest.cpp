// Ticker threads: stop semantics of the worker stop flag, failing steps, joining at exit.
#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "app/TTickerSet.h"
#include "common/Error.h"
#include "common/ProcessFlags.h"

using namespace druv;

namespace {

constexpr int PeriodMs = 40;

// A deadlocked join would hang the test; end the process with a message instead.
class TWatchdog {
 public:
  explicit TWatchdog(int seconds) : Thread_([this, seconds] {
      std::unique_lock lock(Mutex_);
      if (!Done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return Finished_; })) {
        std::fprintf(stderr, "watchdog: ticker join did not return (deadlock)\n");
        std::_Exit(3);
      }
    }) {}
  ~TWatchdog() {
    {
      std::lock_guard lock(Mutex_);
      Finished_ = true;
    }
    Done_.notify_all();
    Thread_.join();
  }

 private:
  std::mutex Mutex_;
  std::condition_variable Done_;
  bool Finished_ = false;
  std::thread Thread_;
};

}  // namespace

class TickerTest : public QObject {
  Q_OBJECT

  // Steps run on the UI thread only, so plain counters are safe.
  int Captions = 0, Populates = 0;

  // "Packet ON": start a ticker, then clear the stop flag.
  static ThreadOne& PacketOn(TTickerSet& set) {
    ThreadOne& t = set.Start();
    WorkerStopFlag = 0;
    return t;
  }

 private slots:
  void init() {
    Captions = Populates = 0;
    WorkerStopFlag = 1;
  }
  void cleanup() { WorkerStopFlag = 0; }

  void StopFlagEndsEveryTickerWithoutFurtherPopulate() {
    TTickerSet set([this] { ++Captions; }, [this] { ++Populates; }, PeriodMs);
    PacketOn(set);
    PacketOn(set);
    QTRY_VERIFY_WITH_TIMEOUT(Populates >= 4, 5000);
    QCOMPARE(set.RunningCount(), 2);

    WorkerStopFlag = 1;  // Exit
    const int captionsAtStop = Captions, populatesAtStop = Populates;
    QElapsedTimer sinceStop;
    sinceStop.start();
    QTRY_COMPARE_WITH_TIMEOUT(set.RunningCount(), 0, 5000);
    // Both end within about one cycle; the bound is loose for a loaded machine.
    QVERIFY2(sinceStop.elapsed() < 2000, qPrintable(QString::number(sinceStop.elapsed())));
    QCOMPARE(Populates, populatesAtStop);
    QVERIFY(Captions - captionsAtStop <= 2);  // at most one more per ticker
    for (const auto& t : set.Tickers()) QVERIFY(!t->Failed());

    // Nothing runs until the next "Packet ON"; then a new ticker works again.
    QTest::qWait(3 * PeriodMs);
    QCOMPARE(Populates, populatesAtStop);
    PacketOn(set);
    QTRY_VERIFY_WITH_TIMEOUT(Populates > populatesAtStop, 5000);
    QCOMPARE(set.RunningCount(), 1);
  }

  void FailingStepEndsOnlyItsTicker_data() {
    QTest::addColumn<bool>("captionFails");
    QTest::newRow("caption step") << true;
    QTest::newRow("populate step") << false;
  }
  void FailingStepEndsOnlyItsTicker() {
    QFETCH(bool, captionFails);
    bool thrown = false;
    auto failOnce = [&thrown](int& counter) {
      if (++counter == 3 && !thrown) {
        thrown = true;
        throw Error("Station table is busy");
      }
    };
    TTickerSet set([&] { captionFails ? failOnce(Captions) : void(++Captions); },
                   [&] { captionFails ? void(++Populates) : failOnce(Populates); }, PeriodMs);
    PacketOn(set);
    PacketOn(set);
    QTRY_VERIFY_WITH_TIMEOUT(thrown, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(set.RunningCount(), 1, 5000);

    int failed = 0;
    for (const auto& t : set.Tickers())
      if (t->Failed()) {
        ++failed;
        QCOMPARE(QString::fromStdString(t->Failure()), QString("Station table is busy"));
      }
    QCOMPARE(failed, 1);
    // The other ticker keeps going.
    const int populates = Populates;
    QTRY_VERIFY_WITH_TIMEOUT(Populates >= populates + 2, 5000);
    QCOMPARE(set.RunningCount(), 1);
  }

  void JoinAtExitWithTickerBlockedInUiCall() {
    TWatchdog watchdog(20);
    QElapsedTimer elapsed;
    {
      // A long period: the join must not wait out the sleep either.
      TTickerSet set([this] { ++Captions; }, [this] { ++Populates; }, 10000);
      PacketOn(set);
      PacketOn(set);
      // The UI thread runs no events here, so both tickers sit in their blocking call.
      QThread::msleep(100);
      QCOMPARE(Captions, 0);
      elapsed.start();
      set.StopAll();
      QCOMPARE(set.RunningCount(), 0);
      QVERIFY(Captions <= 2);

      PacketOn(set);
      QThread::msleep(50);
      elapsed.start();
    }  // the destructor stops and joins the third one, also mid-call
    QVERIFY2(elapsed.elapsed() < 2000, qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(Populates, 0);
  }
};

QTEST_MAIN(TickerTest)
#include "TickerTest.moc"
