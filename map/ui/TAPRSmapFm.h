#pragma once
// The captured-map image window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TAPRSmapFm : public QWidget {
  Q_OBJECT
 public:
  explicit TAPRSmapFm(QWidget* parent = nullptr);
};

}  // namespace druv
