#include "tiles/ui/TOpenMapFm.h"

namespace druv {

TOpenMapFm::TOpenMapFm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TOpenMapFm");
  setWindowTitle("DRUV_MapMaker-OSM 1.0");
}

}  // namespace druv
