#include "platform/qt/TSerialSetupDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSerialPortInfo>
#include <QVBoxLayout>
#include <optional>

#include "common/Numbers.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {

QComboBox* AddField(QFormLayout* form, const char* label, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setAccessibleName(label);
  auto* caption = new QLabel(label, parent);
  caption->setAccessibleName(label);
  caption->setBuddy(box);
  form->addRow(caption, box);
  return box;
}

QString Number(long long v) { return QString::fromStdString(FormatInt(v)); }

// A whole positive rate that fits the ini's CustomBaudRate; the text is digits only (validator).
std::optional<int> BaudRateFrom(const QString& text) {
  auto n = ParseInt(text.toStdString());
  if (!n || *n <= 0 || *n >= 100000000) return std::nullopt;
  return static_cast<int>(*n);
}

}  // namespace

void FillPortNames(QComboBox* box, const std::string& current) {
  box->setEditable(true);
  const QString currentPort = ToQString(current);
  box->addItem(currentPort);
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    if (info.systemLocation() != currentPort) box->addItem(info.systemLocation());
  box->setCurrentText(currentPort);
}

TSerialSetupDialog::TSerialSetupDialog(const TSerialSettingsRec& current, QWidget* parent)
    : QDialog(parent), Current_(current) {
  setWindowTitle("Setup");
  setModal(true);
  auto* form = new QFormLayout;

  PortBox_ = AddField(form, "Port", this);
  FillPortNames(PortBox_, current.Port);

  BaudRateBox_ = AddField(form, "Baud rate", this);
  BaudRateBox_->setEditable(true);
  for (int rate : StandardBaudRates) BaudRateBox_->addItem(Number(rate));
  // Digits only: a locale-aware integer validator would also let group separators through.
  BaudRateBox_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{1,8}"), BaudRateBox_));
  BaudRateBox_->setCurrentText(Number(current.BaudRate));

  DataBitsBox_ = AddField(form, "Data bits", this);
  for (int bits = 5; bits <= 8; ++bits) DataBitsBox_->addItem(Number(bits), bits);
  DataBitsBox_->setCurrentIndex(DataBitsBox_->findData(current.DataBits));

  StopBitsBox_ = AddField(form, "Stop bits", this);
  for (int v = sbOne; v <= sbTwo; ++v) StopBitsBox_->addItem(StopBitsName(static_cast<TStopBits>(v)), v);
  StopBitsBox_->setCurrentIndex(StopBitsBox_->findData(static_cast<int>(current.StopBits)));

  ParityBox_ = AddField(form, "Parity", this);
  for (int v = paNone; v <= paSpace; ++v) ParityBox_->addItem(ParityName(static_cast<TParity>(v)), v);
  ParityBox_->setCurrentIndex(ParityBox_->findData(static_cast<int>(current.Parity)));

  FlowControlBox_ = AddField(form, "Flow control", this);
  for (int v = fcHardware; v <= fcCustom; ++v)
    FlowControlBox_->addItem(FlowControlName(static_cast<TFlowControl>(v)), v);
  FlowControlBox_->setCurrentIndex(FlowControlBox_->findData(static_cast<int>(current.FlowControl)));

  OkButton_ = new QPushButton("OK", this);
  OkButton_->setAccessibleName("OK");
  OkButton_->setDefault(true);
  CancelButton_ = new QPushButton("Cancel", this);
  CancelButton_->setAccessibleName("Cancel");
  connect(OkButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(PortBox_, &QComboBox::currentTextChanged, this, &TSerialSetupDialog::UpdateOkButton);
  connect(BaudRateBox_, &QComboBox::currentTextChanged, this, &TSerialSetupDialog::UpdateOkButton);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkButton_);
  buttons->addWidget(CancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  UpdateOkButton();
}

// OK only with a port name and a usable rate, so a confirmed setup never carries a rate of 0.
void TSerialSetupDialog::UpdateOkButton() {
  OkButton_->setEnabled(!PortBox_->currentText().trimmed().isEmpty() &&
                        BaudRateFrom(BaudRateBox_->currentText()).has_value());
}

TSerialSettingsRec TSerialSetupDialog::Choice() const {
  TSerialSettingsRec s = Current_;
  const QString port = PortBox_->currentText().trimmed();
  if (!port.isEmpty()) s.Port = FromQString(port);
  if (auto rate = BaudRateFrom(BaudRateBox_->currentText())) s.BaudRate = *rate;
  s.DataBits = DataBitsBox_->currentData().toInt();
  s.StopBits = static_cast<TStopBits>(StopBitsBox_->currentData().toInt());
  s.Parity = static_cast<TParity>(ParityBox_->currentData().toInt());
  s.FlowControl = static_cast<TFlowControl>(FlowControlBox_->currentData().toInt());
  return s;
}

}  // namespace druv
