#pragma once
// The web-based map export (locate) tool. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TOpenStreetMapFm : public QWidget {
  Q_OBJECT
 public:
  explicit TOpenStreetMapFm(QWidget* parent = nullptr);
};

}  // namespace druv
