#include "platform/qt/TQtDialogs.h"

#include <QMessageBox>

#include "platform/qt/QtText.h"

namespace druv {

namespace {

const char* kApplicationName = "DRUVaprs";

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const std::string& title,
                                 const std::string& text, QMessageBox::StandardButtons buttons) {
  // Texts break lines with CR LF; a label shows a bare CR as a stray glyph.
  QString body = ToQString(text);
  body.replace("\r\n", "\n").replace('\r', '\n');
  QMessageBox box(icon, title.empty() ? QString(kApplicationName) : ToQString(title), body, buttons, parent);
  // The texts are the program's own, never markup.
  box.setTextFormat(Qt::PlainText);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void TQtDialogs::Error(const std::string& text) {
  Show(Parent_, QMessageBox::Critical, "", text, QMessageBox::Ok);
}

bool TQtDialogs::WarningYesNo(const std::string& title, const std::string& text) {
  return Show(Parent_, QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TQtDialogs::Information(const std::string& text) {
  Show(Parent_, QMessageBox::Information, "", text, QMessageBox::Ok);
}

void TQtDialogs::Message(const std::string& text, const std::string& title) {
  Show(Parent_, QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

}  // namespace druv
