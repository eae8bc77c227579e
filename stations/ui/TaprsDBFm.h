#pragma once
// The station dataset window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TaprsDBFm : public QWidget {
  Q_OBJECT
 public:
  explicit TaprsDBFm(QWidget* parent = nullptr);
};

}  // namespace druv
