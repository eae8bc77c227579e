#include "radio/ui/TTerminalView.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include "common/Text.h"
#include "platform/qt/QtText.h"

namespace druv {

TTerminalView::TTerminalView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("Terminal1");
  setAccessibleName("Terminal");
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setFocusPolicy(Qt::StrongFocus);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setMaximumBlockCount(Rows);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TTerminalView::Receive(char c) {
  auto b = static_cast<unsigned char>(c);
  if (EscapeState_ == 1) {
    EscapeState_ = (c == '[') ? 2 : 0;
  } else if (EscapeState_ == 2) {
    if (b >= 0x40 && b <= 0x7E) EscapeState_ = 0;  // final byte of a CSI sequence
  } else if (b == 0x1B) {
    EscapeState_ = 1;
  } else if (c == '\r') {
    Pending_ += '\n';
  } else if (c == '\n') {
    if (!LastWasCr_) Pending_ += '\n';
  } else if (c == '\b') {
    if (!Pending_.isEmpty() && Pending_.back() != '\n') Pending_.chop(1);
  } else if (b >= 0x20 && b != 0x7F) {
    Pending_ += QChar(static_cast<char16_t>(Cp1252ToCodePoint(b)));
  }
  LastWasCr_ = (c == '\r');
  if (!FlushQueued_ && !Pending_.isEmpty()) {
    FlushQueued_ = true;
    QTimer::singleShot(0, this, [this] { Flush(); });
  }
  if (OnChar) OnChar(c);
}

void TTerminalView::Flush() {
  FlushQueued_ = false;
  if (Pending_.isEmpty()) return;
  QScrollBar* bar = verticalScrollBar();
  bool atBottom = bar->value() >= bar->maximum() - 2;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(Pending_);
  Pending_.clear();
  if (atBottom) bar->setValue(bar->maximum());
}

QString TTerminalView::ScreenText() {
  Flush();
  return toPlainText();
}

void TTerminalView::keyPressEvent(QKeyEvent* e) {
  QString text = e->text();
  // Ctrl+letter is the control character whatever the platform puts in text(): Ctrl-C breaks in.
  if ((e->modifiers() & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
    text = QString(QChar(static_cast<char16_t>(e->key() - Qt::Key_A + 1)));
  if (text.isEmpty() || !OnKey) {
    QPlainTextEdit::keyPressEvent(e);  // scrolling and selection keys
    return;
  }
  for (QChar ch : text) OnKey(CodePointToCp1252(ch.unicode()));
}

}  // namespace druv
