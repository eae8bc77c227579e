#pragma once
#include <QWidget>

class QGroupBox;

namespace druv {

// "Stuff": reference texts for the operator, and the "Station Data" box.
class TStuffTab : public QWidget {
  Q_OBJECT
 public:
  explicit TStuffTab(QWidget* parent = nullptr);
  QGroupBox* StationDataBox;
};

}  // namespace druv
