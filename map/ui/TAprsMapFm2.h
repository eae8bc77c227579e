#pragma once
// The station map window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QMainWindow>

namespace druv {

class TAprsMapFm2 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TAprsMapFm2(QWidget* parent = nullptr);
};

}  // namespace druv
