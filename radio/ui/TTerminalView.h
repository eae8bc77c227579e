#pragma once
// Terminal1: shows what the TNC sends (a small VT100 subset) and turns every key typed into one
// character for the radio port.
#include <QPlainTextEdit>
#include <QString>
#include <functional>

namespace druv {

class TTerminalView : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr int Columns = 250;
  static constexpr int Rows = 100;

  explicit TTerminalView(QWidget* parent = nullptr);

  // A received byte: shown, then handed to OnChar (one event per character, in arrival order).
  void Receive(char c);
  std::function<void(char)> OnChar;
  // A key typed: its character(s), one call per character.
  std::function<void(char)> OnKey;

  // Text shown so far, once pending output is flushed (for tests).
  QString ScreenText();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Flush();
  QString Pending_;
  bool FlushQueued_ = false;
  bool LastWasCr_ = false;
  int EscapeState_ = 0;  // 0 none, 1 after ESC, 2 inside a CSI sequence
};

}  // namespace druv
