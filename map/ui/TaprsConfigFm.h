#pragma once
// The universal-map configuration window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TaprsConfigFm : public QWidget {
  Q_OBJECT
 public:
  explicit TaprsConfigFm(QWidget* parent = nullptr);
};

}  // namespace druv
