#include "radio/ui/TSourceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "common/Numbers.h"
#include "common/Text.h"
#include "platform/IDialogs.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TSerialSetupDialog.h"
#include "radio/TAprsIsProtocol.h"

namespace druv {

namespace {

template <class T>
T* Field(QFormLayout* form, const char* label, T* field) {
  field->setAccessibleName(QString(label).remove(':'));
  auto* caption = new QLabel(label, field->parentWidget());
  caption->setBuddy(field);
  form->addRow(caption, field);
  return field;
}

QString Number(long long v) { return QString::fromStdString(FormatInt(v)); }

QValidator* Digits(int maxDigits, bool minus, QObject* parent) {
  const QString pattern = QString(minus ? "-?" : "") + "[0-9]{0," + QString::number(maxDigits) + "}";
  return new QRegularExpressionValidator(QRegularExpression(pattern), parent);
}

}  // namespace

TSourceDialog::TSourceDialog(const TSourceSettingsRec& current, const std::string& myCall,
                             const std::string& suggestedFilter, IDialogs& dialogs, QWidget* parent)
    : QDialog(parent), Current_(current), MyCall_(myCall), SuggestedFilter_(suggestedFilter), Dialogs_(dialogs) {
  setObjectName("TSourceDialog");
  setWindowTitle("Station Data Source");
  setModal(true);
  auto* form = new QFormLayout;

  KindBox = Field(form, "Source:", new QComboBox(this));
  KindBox->addItem("TS-2000 built-in TNC");
  KindBox->addItem("KISS over TCP (Dire Wolf, a network TNC)");
  KindBox->addItem("KISS TNC on a serial port");
  KindBox->addItem("APRS-IS (internet)");
  for (int i = 0; i < 4; ++i)
    if (Kinds[i] == current.Kind) KindBox->setCurrentIndex(i);

  HostEdit = Field(form, "Host:", new QLineEdit(ToQString(current.Host), this));
  PortEdit = Field(form, "Port:", new QLineEdit(current.Port ? Number(current.Port) : QString(), this));
  PortEdit->setValidator(Digits(5, false, PortEdit));

  DeviceBox = Field(form, "Device:", new QComboBox(this));
  FillPortNames(DeviceBox, current.Device);
  BaudRateEdit = Field(form, "Baud rate:", new QLineEdit(Number(current.BaudRate), this));
  BaudRateEdit->setValidator(Digits(7, false, BaudRateEdit));

  CallEdit = Field(form, "Call:", new QLineEdit(ToQString(current.Call), this));
  CallEdit->setPlaceholderText(ToQString(myCall));
  CallEdit->setToolTip("The APRS-IS login; empty: the call of MYCALL");
  auto* passRow = new QWidget(this);
  auto* passLayout = new QHBoxLayout(passRow);
  passLayout->setContentsMargins(0, 0, 0, 0);
  PasscodeEdit = new QLineEdit(Number(current.Passcode), passRow);
  PasscodeEdit->setValidator(Digits(5, true, PasscodeEdit));
  PasscodeEdit->setToolTip("-1: receive only");
  PasscodeEdit->setAccessibleName("Passcode");
  PasscodeButton = new QPushButton("Passcode of the call", passRow);
  PasscodeButton->setToolTip("The standard APRS-IS passcode of the call sign");
  passLayout->addWidget(PasscodeEdit, 1);
  passLayout->addWidget(PasscodeButton);
  auto* passCaption = new QLabel("Passcode:", this);
  passCaption->setBuddy(PasscodeEdit);
  form->addRow(passCaption, passRow);
  FilterEdit = Field(form, "Filter:", new QLineEdit(ToQString(current.Filter), this));
  FilterEdit->setToolTip("A server-side filter such as r/33.5/-97.25/100 (100 km around a point)");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  CancelButton = buttons->button(QDialogButtonBox::Cancel);
  OkButton->setText("OK");
  CancelButton->setText("Cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &TSourceDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TSourceDialog::reject);
  connect(KindBox, &QComboBox::currentIndexChanged, this, [this] { KindChanged(); });
  connect(PasscodeButton, &QPushButton::clicked, this, [this] { FillPasscode(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  KindChanged();
}

TSourceKind TSourceDialog::Kind() const { return Kinds[std::clamp(KindBox->currentIndex(), 0, 3)]; }

void TSourceDialog::KindChanged() {
  const TSourceKind kind = Kind();
  const bool tcp = UsesTcp(kind), serial = kind == skKissSerial, is = kind == skAprsIs;
  for (QWidget* w : {static_cast<QWidget*>(HostEdit), static_cast<QWidget*>(PortEdit)}) w->setEnabled(tcp);
  DeviceBox->setEnabled(serial);
  BaudRateEdit->setEnabled(serial);
  for (QWidget* w : {static_cast<QWidget*>(CallEdit), static_cast<QWidget*>(PasscodeEdit),
                     static_cast<QWidget*>(PasscodeButton), static_cast<QWidget*>(FilterEdit)})
    w->setEnabled(is);
  HostEdit->setPlaceholderText(ToQString(DefaultHost(kind)));
  PortEdit->setPlaceholderText(tcp ? Number(DefaultPort(kind)) : QString());
  if (is && FilterEdit->text().trimmed().isEmpty()) FilterEdit->setText(ToQString(SuggestedFilter_));
}

void TSourceDialog::FillPasscode() {
  std::string call = Trim(FromQString(CallEdit->text()));
  if (call.empty()) call = MyCall_;
  if (call.empty()) {
    Dialogs_.Error("Enter the call sign first.");
    return;
  }
  PasscodeEdit->setText(Number(AprsIsPasscode(call)));
}

TSourceSettingsRec TSourceDialog::Read(std::vector<std::string>* problems) const {
  auto text = [](const QLineEdit* edit) { return FromQString(edit->text()); };
  return SourceSettingsFromTexts(Current_,
                                 {Kind(), text(HostEdit), text(PortEdit), FromQString(DeviceBox->currentText()),
                                  text(BaudRateEdit), text(CallEdit), text(PasscodeEdit), text(FilterEdit)},
                                 problems);
}

TSourceSettingsRec TSourceDialog::Choice() const { return Read(nullptr); }

void TSourceDialog::accept() {
  std::vector<std::string> problems;
  Read(&problems);
  if (!problems.empty()) {
    std::string text;
    for (const std::string& p : problems) text += (text.empty() ? "" : "\r\n") + p;
    Dialogs_.Error(text);
    return;
  }
  QDialog::accept();
}

}  // namespace druv
