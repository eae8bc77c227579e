#pragma once
// Message boxes. Texts are 8-bit (code page 1252).
#include <string>

namespace druv {

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual void Error(const std::string& text) = 0;                                  // OK
  virtual bool WarningYesNo(const std::string& title, const std::string& text) = 0;  // true on Yes
  virtual void Information(const std::string& text) = 0;                            // OK
  virtual void Message(const std::string& text, const std::string& title = "") = 0;  // plain box, OK
};

}  // namespace druv
