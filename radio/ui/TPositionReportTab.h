#pragma once
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace druv {

// "Positiion Report": the report text that the send paths transmit, the send and compose
// buttons, the beacon switch and the coordinate lookup.
class TPositionReportTab : public QWidget {
  Q_OBJECT
 public:
  explicit TPositionReportTab(QWidget* parent = nullptr);
  QLineEdit* PositionEdit;
  QPushButton* SendButton;
  QPushButton* ComposeMsgButton;
  QCheckBox* BeaconBox;
  QPushButton* LookupButton;
};

}  // namespace druv
