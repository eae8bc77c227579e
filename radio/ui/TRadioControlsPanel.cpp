#include "radio/ui/TRadioControlsPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace druv {

namespace {
QPushButton* Button(const char* caption, const char* hint, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  if (hint) b->setToolTip(hint);
  return b;
}
}  // namespace

TRadioControlsPanel::TRadioControlsPanel(QWidget* parent) : QGroupBox("TS-2000 Radio Controls", parent) {
  setObjectName("RadioControls");
  PacketOnButton = Button("Packet ON", "Start receiving APRS packets on the radio", this);
  PacketOffButton = Button("Packet OFF", "Turn off radio packet function", this);
  RestartButton = Button("Restart", "Restart TNC", this);
  SubRadioButton = Button("Turn Sub Radio ON", "Turn the SUB radio on", this);
  Tune14439Button = Button("144.39", "Set APRS frequency on SUB radio", this);
  Tune14488Button = Button("144.88", "Set APRS frequency on SUB radio", this);
  StartLabel = new QLabel("Use Packet ON button to start", this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(PacketOnButton, 0, 0);
  grid->addWidget(PacketOffButton, 0, 1);
  grid->addWidget(RestartButton, 0, 2);
  grid->addWidget(SubRadioButton, 1, 0);
  grid->addWidget(Tune14439Button, 1, 1);
  grid->addWidget(Tune14488Button, 1, 2);
  grid->addWidget(StartLabel, 2, 0, 1, 3);
}

}  // namespace druv
