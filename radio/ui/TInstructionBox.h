#pragma once
#include <QGroupBox>

namespace druv {

// The radio settings the program relies on, as the operator must make them.
class TInstructionBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit TInstructionBox(QWidget* parent = nullptr);
};

}  // namespace druv
