#include "stations/ui/TStnDataFm.h"

namespace druv {

TStnDataFm::TStnDataFm(QWidget* parent) : QWidget(parent) {
  setObjectName("TStnDataFm");
  setWindowTitle("Station Information");
}

}  // namespace druv
