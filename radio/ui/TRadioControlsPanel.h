#pragma once
#include <QGroupBox>

class QLabel;
class QPushButton;

namespace druv {

// "TS-2000 Radio Controls": packet mode on and off, TNC restart, the sub receiver and its frequency.
class TRadioControlsPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit TRadioControlsPanel(QWidget* parent = nullptr);
  QPushButton* PacketOnButton;
  QPushButton* PacketOffButton;
  QPushButton* RestartButton;
  QPushButton* SubRadioButton;
  QPushButton* Tune14439Button;
  QPushButton* Tune14488Button;
  QLabel* StartLabel;  // "Use Packet ON button to start"
};

}  // namespace druv
