#pragma once
#include <atomic>

namespace druv {

// Worker stop flag: 1 tells every running ticker to end at its next check. Written on the UI
// thread only; tickers read it without a lock (relaxed: a stale read only delays the stop a cycle).
extern std::atomic<unsigned char> WorkerStopFlag;

}  // namespace druv
