#pragma once
// The traffic counters in the main window's status bar, beside its six panels: lines received,
// packets, rejected lines and the time of the last line, so a stalled radio shows at a glance.
#include <QWidget>

#include "radio/TTrafficCounts.h"

class QLabel;

namespace druv {

class TTrafficPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TTrafficPanel(QWidget* parent = nullptr);
  void Show(const TTrafficCountsRec& counts);

  QLabel* LinesLabel;
  QLabel* PacketsLabel;
  QLabel* RejectedLabel;
  QLabel* LastLineLabel;
};

}  // namespace druv
