#include "radio/ui/TTrafficPanel.h"

#include <QHBoxLayout>
#include <QLabel>

#include "common/Numbers.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {
QLabel* Counter(const char* objectName, const char* hint, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(objectName);
  l->setToolTip(hint);
  l->setAccessibleName(hint);
  l->setFrameShape(QFrame::StyledPanel);
  return l;
}
}  // namespace

TTrafficPanel::TTrafficPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("TrafficPanel");
  LinesLabel = Counter("TrafficLines", "Lines received since Packet ON", this);
  PacketsLabel = Counter("TrafficPackets", "Lines filed as packets since Packet ON", this);
  RejectedLabel = Counter("TrafficRejected", "Lines the parser rejected since Packet ON", this);
  LastLineLabel = Counter("TrafficLastLine", "Time the last line was received", this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QLabel* l : {LinesLabel, PacketsLabel, RejectedLabel, LastLineLabel}) layout->addWidget(l);
  Show({});
}

void TTrafficPanel::Show(const TTrafficCountsRec& c) {
  // QLabel skips an unchanged text, so a quiet tick costs no relayout.
  LinesLabel->setText(ToQString("Lines: " + FormatInt(static_cast<long long>(c.Lines))));
  PacketsLabel->setText(ToQString("Packets: " + FormatInt(static_cast<long long>(c.Packets))));
  RejectedLabel->setText(ToQString("Rejected: " + FormatInt(static_cast<long long>(c.Rejected))));
  LastLineLabel->setText(ToQString("Last line: " + (c.LastLineTime ? FormatTime(*c.LastLineTime) : "none")));
}

}  // namespace druv
