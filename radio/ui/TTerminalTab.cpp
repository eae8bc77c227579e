#include "radio/ui/TTerminalTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "radio/ui/TTerminalView.h"

namespace druv {

TTerminalTab::TTerminalTab(QWidget* parent) : QWidget(parent) {
  auto* notice = new QLabel(
      "Please read the section on the internal TNC in the TS2000 manual Appendix:: BUILT-IN TNC COMMAND LIST "
      "before using these controls.",
      this);
  notice->setWordWrap(true);
  auto make = [this](const char* caption, const char* hint) {
    auto* b = new QPushButton(caption, this);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);  // keys belong to the terminal
    return b;
  };
  ResetButton = make("RESET", "Reset the TNC to default values");
  DisplayButton = make("DISPLAY", "Display the current TNC settings");
  CmdButton = make("cmd:", "Command mode");
  ConvButton = make("CONV", "Converse mode");
  RestartButton = make("RESTART", "Restart the TNC");
  Terminal = new TTerminalView(this);
  auto* buttons = new QHBoxLayout;
  for (auto* b : {ResetButton, DisplayButton, CmdButton, ConvButton, RestartButton}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notice);
  layout->addLayout(buttons);
  layout->addWidget(Terminal, 1);
}

}  // namespace druv
