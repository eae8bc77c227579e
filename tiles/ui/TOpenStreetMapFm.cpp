#include "tiles/ui/TOpenStreetMapFm.h"

namespace druv {

TOpenStreetMapFm::TOpenStreetMapFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TOpenStreetMapFm");
  setWindowTitle("OpenStreetMap Tool");
}

}  // namespace druv
