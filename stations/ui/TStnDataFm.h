#pragma once
// The station information window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TStnDataFm : public QWidget {
  Q_OBJECT
 public:
  explicit TStnDataFm(QWidget* parent = nullptr);
};

}  // namespace druv
