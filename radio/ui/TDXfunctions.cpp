#include "radio/ui/TDXfunctions.h"

namespace druv {

TDXfunctions::TDXfunctions(ISerialPort&, IDialogs&, IWaits&, IClock&, QWidget* parent) : QMainWindow(parent) {
  setObjectName("TDXfunctions");
  setWindowTitle("DRUVaprs Version");
}

TDXfunctions::~TDXfunctions() = default;

void TDXfunctions::PopulateDB() {}

}  // namespace druv
