#pragma once
#include <QObject>

#include "platform/ITimer.h"

class QTimer;

namespace druv {

class TQtTimer : public QObject, public ITimer {
  Q_OBJECT
 public:
  explicit TQtTimer(QObject* parent = nullptr);
  void Start(int intervalMs, bool singleShot = false) override;
  void Stop() override;
  bool IsActive() const override;
  int IntervalMs() const override;
  QTimer* Timer() const { return Timer_; }

 private:
  QTimer* Timer_;
};

}  // namespace druv
