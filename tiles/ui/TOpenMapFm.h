#pragma once
// The tile map maker window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QMainWindow>

namespace druv {

class TOpenMapFm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TOpenMapFm(QWidget* parent = nullptr);
};

}  // namespace druv
