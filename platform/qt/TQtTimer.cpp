#include "platform/qt/TQtTimer.h"

#include <QTimer>

namespace druv {

TQtTimer::TQtTimer(QObject* parent) : QObject(parent), Timer_(new QTimer(this)) {
  connect(Timer_, &QTimer::timeout, this, [this] {
    if (OnTimeout) OnTimeout();
  });
}

void TQtTimer::Start(int intervalMs, bool singleShot) {
  Timer_->setSingleShot(singleShot);
  Timer_->start(intervalMs);
}

void TQtTimer::Stop() { Timer_->stop(); }

bool TQtTimer::IsActive() const { return Timer_->isActive(); }

int TQtTimer::IntervalMs() const { return Timer_->interval(); }

}  // namespace druv
