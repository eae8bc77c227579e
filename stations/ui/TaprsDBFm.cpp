#include "stations/ui/TaprsDBFm.h"

namespace druv {

TaprsDBFm::TaprsDBFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TaprsDBFm");
  setWindowTitle("aprsDBFm");
}

}  // namespace druv
