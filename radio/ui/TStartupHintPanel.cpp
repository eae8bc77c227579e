#include "radio/ui/TStartupHintPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace druv {

TStartupHintPanel::TStartupHintPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("StartupHintPanel");
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  auto* hint = new QLabel(
      "Please set the COM port.  The default is COM1.  Use the \"Set Port\" button, then the \"Packet On\" button.",
      this);
  hint->setWordWrap(true);
  auto* menu = new QLabel("MENU #56 on the TS2000 MUST be set to 57600.", this);
  SetPortButton = new QPushButton("Set Port", this);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addWidget(hint);
  layout->addWidget(menu);
  layout->addWidget(SetPortButton, 0, Qt::AlignLeft);
  layout->addStretch();
}

}  // namespace druv
