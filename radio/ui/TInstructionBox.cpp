#include "radio/ui/TInstructionBox.h"

#include <QGridLayout>
#include <QLabel>

namespace druv {

TInstructionBox::TInstructionBox(QWidget* parent) : QGroupBox("  -- To use DRUVaprs --", parent) {
  setObjectName("InstructionBox");
  const char* const rows[][2] = {
      {"0) SUB radio MUST be turned on ", "(MENU 46 = SUB)"},
      {"0a) TNC Baud Set to 1200", "(MENU 47 = 1200)"},
      {"0b) Internal TNC setting", "(MENU 48 =  DCD TNC BAND)"},
      {"0c) AF Input Level for Packet = 4", "(MENU 50B = 4)"},
      {"0d) Output Level for Packet = 6", "(MENU 50D = 6)"},
      {"0e) COM Setting to PC = 57600", "(MENU 56 = 57600)"},
      {"", "..this must be set to 57600"},
      {"1) Set COM port - Set Port button", ""},
      {"2) SUB frequency should be ", "144.39 MHz in North America, 144.88 MHz in Europe"},
      {"3)SUB radio squelch must be set", ""},
      {"4) TNC must be turned on ", "the \"Packet On\" button or \"MENU 55 ON\""},
  };
  auto* grid = new QGridLayout(this);
  int r = 0;
  for (const auto& row : rows) {
    if (*row[0]) grid->addWidget(new QLabel(row[0], this), r, 0);
    if (*row[1]) grid->addWidget(new QLabel(row[1], this), r, 1);
    ++r;
  }
}

}  // namespace druv
