#pragma once
#include <QFrame>

class QPushButton;

namespace druv {

// Covers the main window until the radio port has been set up.
class TStartupHintPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TStartupHintPanel(QWidget* parent = nullptr);
  QPushButton* SetPortButton;
};

}  // namespace druv
