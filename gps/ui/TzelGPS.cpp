#include "gps/ui/TzelGPS.h"

namespace druv {

TzelGPS::TzelGPS(QWidget* parent) : QWidget(parent) {
  setObjectName("TzelGPS");
  setWindowTitle("zelGPS 1.00");
}

}  // namespace druv
