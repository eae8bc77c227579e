#include "map/ui/TaprsConfigFm.h"

namespace druv {

TaprsConfigFm::TaprsConfigFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TaprsConfigFm");
  setWindowTitle("Configure Universal Map");
}

}  // namespace druv
