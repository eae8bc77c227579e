#include "map/ui/TsymbolFm.h"

namespace druv {

TsymbolFm::TsymbolFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TsymbolFm");
  setWindowTitle("symbolFm");
}

}  // namespace druv
