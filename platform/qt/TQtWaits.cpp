#include "platform/qt/TQtWaits.h"

#include <QThread>

namespace druv {

void TQtWaits::Wait(int milliSeconds) {
  if (milliSeconds > 0) QThread::msleep(static_cast<unsigned long>(milliSeconds));
}

}  // namespace druv
