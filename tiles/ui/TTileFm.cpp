#include "tiles/ui/TTileFm.h"

namespace druv {

TTileFm::TTileFm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TTileFm");
  setWindowTitle("Click Tools>Displaly Map to show the created map");
}

}  // namespace druv
