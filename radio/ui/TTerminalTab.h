#pragma once
#include <QWidget>

class QPushButton;

namespace druv {

class TTerminalView;

// The "Terminal" tab: direct talk with the TNC.
class TTerminalTab : public QWidget {
  Q_OBJECT
 public:
  explicit TTerminalTab(QWidget* parent = nullptr);
  TTerminalView* Terminal;
  QPushButton* ResetButton;
  QPushButton* DisplayButton;
  QPushButton* CmdButton;
  QPushButton* ConvButton;
  QPushButton* RestartButton;
};

}  // namespace druv
