#include "map/ui/TAprsMapFm2.h"

namespace druv {

TAprsMapFm2::TAprsMapFm2(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TAprsMapFm2");
  setWindowTitle("DRUVaprs");
}

}  // namespace druv
