#include "radio/ui/TTncSettingsPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/QtText.h"

namespace druv {

namespace {
const char* const kNames[10] = {"UNPROTO", "MYCALL", "FLOW", "HBAUD", "PACLEN",
                                "PACTIME", "XFLOW",  "MON",  "MCOM",  "MCON"};
// Which fields have an advanced "<" button, in button order (MON has none).
const int kAdvancedField[7] = {2, 3, 4, 5, 6, 8, 9};
}  // namespace

TTncSettingsPanel::TTncSettingsPanel(QWidget* parent) : QGroupBox("APRS TNC Settings", parent) {
  setObjectName("TncSettingsPanel");
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 10; ++i) {
    auto* label = new QLabel(kNames[i], this);
    Fields[i] = new QLineEdit(this);
    Fields[i]->setAccessibleName(kNames[i]);
    label->setBuddy(Fields[i]);
    grid->addWidget(label, i, 0);
    grid->addWidget(Fields[i], i, 1);
    connect(Fields[i], &QLineEdit::textEdited, this, &TTncSettingsPanel::Edited);
  }
  ResetUnprotoButton = new QPushButton("<", this);
  ResetUnprotoButton->setToolTip("Reset UNPROTO");
  ResetUnprotoButton->setAccessibleName("Reset UNPROTO");
  ResetMyCallButton = new QPushButton("<", this);
  ResetMyCallButton->setToolTip("Reset MYCALL");
  ResetMyCallButton->setAccessibleName("Reset MYCALL");
  grid->addWidget(ResetUnprotoButton, 0, 2);
  grid->addWidget(ResetMyCallButton, 1, 2);
  for (int k = 0; k < 7; ++k) {
    AdvancedResetButtons[k] = new QPushButton("<", this);
    AdvancedResetButtons[k]->setAccessibleName(QString("Reset ") + kNames[kAdvancedField[k]]);
    grid->addWidget(AdvancedResetButtons[k], kAdvancedField[k], 2);
  }
  OtherBox = new QCheckBox("Other", this);
  OtherBox->setToolTip("Enable advanced TNC setting tools ");
  SetTncButton = new QPushButton("SET TNC for APRS", this);
  SetTncButton->setToolTip("Set and save all APRS Parameters");
  HideButton1 = new QPushButton("Hide", this);
  HideButton2 = new QPushButton("Hide", this);
  grid->addWidget(OtherBox, 10, 0);
  grid->addWidget(SetTncButton, 10, 1);
  grid->addWidget(HideButton1, 11, 0);
  grid->addWidget(HideButton2, 11, 2);
  connect(OtherBox, &QCheckBox::toggled, this, [this] { ApplyLock(); });
  connect(HideButton1, &QPushButton::clicked, this, &QWidget::hide);
  connect(HideButton2, &QPushButton::clicked, this, &QWidget::hide);
  SetParameters(TTncParametersRec());
  ApplyLock();
}

void TTncSettingsPanel::ApplyLock() {
  bool unlocked = OtherBox->isChecked();
  for (int i = 2; i < 10; ++i) Fields[i]->setReadOnly(!unlocked);
  for (auto* b : AdvancedResetButtons) b->setEnabled(unlocked);
}

TTncParametersRec TTncSettingsPanel::Parameters() const {
  auto t = [this](int i) { return FromQString(Fields[i]->text()); };
  TTncParametersRec p;
  p.Unproto = t(0);
  p.MyCall = t(1);
  p.Flow = t(2);
  p.HBaud = t(3);
  p.PacLen = t(4);
  p.PacTime = t(5);
  p.XFlow = t(6);
  p.Mon = t(7);
  p.MCom = t(8);
  p.MCon = t(9);
  return p;
}

void TTncSettingsPanel::SetParameters(const TTncParametersRec& p) {
  const std::string* v[10] = {&p.Unproto, &p.MyCall, &p.Flow, &p.HBaud, &p.PacLen,
                              &p.PacTime, &p.XFlow,  &p.Mon,  &p.MCom,  &p.MCon};
  for (int i = 0; i < 10; ++i) Fields[i]->setText(ToQString(*v[i]));
}

}  // namespace druv
