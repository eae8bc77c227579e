#include "radio/ui/TPositionReportTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "radio/TPositionReporter.h"

namespace druv {

TPositionReportTab::TPositionReportTab(QWidget* parent) : QWidget(parent) {
  PositionEdit = new QLineEdit(InitialPositionText, this);
  PositionEdit->setObjectName("PositionText");
  PositionEdit->setAccessibleName("Position report");
  PositionEdit->setToolTip("Positiion messege field");
  SendButton = new QPushButton("Send> ", this);
  SendButton->setToolTip("Send your position packet");
  ComposeMsgButton = new QPushButton("Compose Msg", this);
  ComposeMsgButton->setToolTip("Compose message in correct format");
  BeaconBox = new QCheckBox("Auto Send (BEACON)", this);
  BeaconBox->setToolTip("Send Beacon every  10 minutes");
  LookupButton = new QPushButton("Find station coordinates from your street address (Requires Internet)", this);

  auto note = [this](const char* text) {
    auto* l = new QLabel(text, this);
    l->setWordWrap(true);
    return l;
  };
  auto* row = new QHBoxLayout;
  row->addWidget(SendButton);
  row->addWidget(PositionEdit, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ComposeMsgButton);
  buttons->addWidget(BeaconBox);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(note("Left click; the STA light will come on the radio front panel and stay on until packet is sent"));
  layout->addLayout(buttons);
  layout->addWidget(note("Please read the Help before using this feature"));
  layout->addWidget(note("Example report:   !3234.06N/09715.95W- your message"));
  layout->addWidget(
      note("APRS sends coordinates as degrees and decimal minutes: 32.5677 degrees north is 32 degrees and "
           "34.06 minutes, written 3234.06N; -97.2658 degrees (west) is 097 degrees 15.95 minutes, 09715.95W. "
           "Enter decimal degrees in the composer and it converts them."));
  layout->addWidget(LookupButton, 0, Qt::AlignLeft);
  layout->addStretch();
}

}  // namespace druv
