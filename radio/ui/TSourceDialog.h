#pragma once
// "Station Data Source": where the station's lines come from (sources.ini).
#include <QDialog>
#include <string>

#include "radio/TSourceSettings.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace druv {

class IDialogs;

class TSourceDialog : public QDialog {
  Q_OBJECT
 public:
  // myCall: the call of MYCALL, used when no APRS-IS call is entered. suggestedFilter: offered when
  // APRS-IS is chosen without a filter.
  TSourceDialog(const TSourceSettingsRec& current, const std::string& myCall, const std::string& suggestedFilter,
                IDialogs& dialogs, QWidget* parent = nullptr);

  TSourceSettingsRec Choice() const;

  QComboBox* KindBox;
  QLineEdit* HostEdit;
  QLineEdit* PortEdit;
  QComboBox* DeviceBox;
  QLineEdit* BaudRateEdit;
  QLineEdit* CallEdit;
  QLineEdit* PasscodeEdit;
  QPushButton* PasscodeButton;
  QLineEdit* FilterEdit;
  QPushButton* OkButton;
  QPushButton* CancelButton;

  // The kinds in the order of KindBox.
  static constexpr TSourceKind Kinds[4] = {skTs2000, skKissTcp, skKissSerial, skAprsIs};

 protected:
  void accept() override;

 private:
  TSourceKind Kind() const;
  void KindChanged();
  void FillPasscode();
  // The settings and what is wrong with the texts that make them.
  TSourceSettingsRec Read(std::vector<std::string>* problems) const;

  TSourceSettingsRec Current_;
  std::string MyCall_, SuggestedFilter_;
  IDialogs& Dialogs_;
};

}  // namespace druv
