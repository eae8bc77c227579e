#pragma once
// The symbol sheet window. Created hidden at start-up and kept for the life of the process;
// closing it only hides it.
#include <QWidget>

namespace druv {

class TsymbolFm : public QWidget {
  Q_OBJECT
 public:
  explicit TsymbolFm(QWidget* parent = nullptr);
};

}  // namespace druv
