#include "map/ui/TAPRSmapFm.h"

namespace druv {

TAPRSmapFm::TAPRSmapFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TAPRSmapFm");
  setWindowTitle("APRS Map");
}

}  // namespace druv
