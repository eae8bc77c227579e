#pragma once
// The GPS receiver window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TzelGPS : public QWidget {
  Q_OBJECT
 public:
  explicit TzelGPS(QWidget* parent = nullptr);
};

}  // namespace druv
