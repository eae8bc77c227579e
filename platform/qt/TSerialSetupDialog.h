#pragma once
// The modal "Setup" dialog of a serial port.
#include <QDialog>
#include <string>

#include "platform/SerialSettings.h"

class QComboBox;
class QPushButton;

namespace druv {

// An editable list of the ports the system knows, with current (which may be none of them) chosen.
void FillPortNames(QComboBox* box, const std::string& current);

class TSerialSetupDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TSerialSetupDialog(const TSerialSettingsRec& current, QWidget* parent = nullptr);

  // The settings as chosen; what the dialog does not show (buffer sizes) is kept from current.
  TSerialSettingsRec Choice() const;

 private:
  void UpdateOkButton();

  TSerialSettingsRec Current_;
  QComboBox* PortBox_;
  QComboBox* BaudRateBox_;
  QComboBox* DataBitsBox_;
  QComboBox* StopBitsBox_;
  QComboBox* ParityBox_;
  QComboBox* FlowControlBox_;
  QPushButton* OkButton_;
  QPushButton* CancelButton_;
};

}  // namespace druv
