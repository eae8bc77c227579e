#pragma once
#include <QGroupBox>
#include <array>

#include "radio/TTncParameters.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace druv {

// The ten TNC parameter lines. UNPROTO and MYCALL are always editable; the other eight and
// their "<" buttons only while "Other" is ticked.
class TTncSettingsPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit TTncSettingsPanel(QWidget* parent = nullptr);

  TTncParametersRec Parameters() const;
  void SetParameters(const TTncParametersRec& p);

  // In the order UNPROTO, MYCALL, FLOW, HBAUD, PACLEN, PACTIME, XFLOW, MON, MCOM, MCON.
  std::array<QLineEdit*, 10> Fields{};
  QPushButton* ResetUnprotoButton;
  QPushButton* ResetMyCallButton;
  // Beside FLOW, HBAUD, PACLEN, PACTIME, XFLOW, MCOM, MCON.
  std::array<QPushButton*, 7> AdvancedResetButtons{};
  QCheckBox* OtherBox;
  QPushButton* SetTncButton;
  QPushButton* HideButton1;
  QPushButton* HideButton2;

 signals:
  void Edited();

 private:
  void ApplyLock();
};

}  // namespace druv
