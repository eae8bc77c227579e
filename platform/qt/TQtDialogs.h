#pragma once
// Message boxes over QMessageBox. Texts arrive as code page 1252.
#include "platform/IDialogs.h"

class QWidget;

namespace druv {

class TQtDialogs : public IDialogs {
 public:
  explicit TQtDialogs(QWidget* parent = nullptr) : Parent_(parent) {}
  void SetParent(QWidget* parent) { Parent_ = parent; }

  void Error(const std::string& text) override;
  bool WarningYesNo(const std::string& title, const std::string& text) override;
  void Information(const std::string& text) override;
  void Message(const std::string& text, const std::string& title = "") override;

 private:
  QWidget* Parent_;
};

}  // namespace druv
