#pragma once
// The tile stitching preview window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QMainWindow>

namespace druv {

class TTileFm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TTileFm(QWidget* parent = nullptr);
};

}  // namespace druv
