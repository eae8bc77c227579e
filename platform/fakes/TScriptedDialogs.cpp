#include "platform/fakes/TScriptedDialogs.h"

namespace druv {

void TScriptedDialogs::Expect(const std::string& kind, const std::string& text, bool answer) {
  Script_.push_back({kind, text, answer});
}

bool TScriptedDialogs::Take(const std::string& kind, const std::string& text) {
  Shown.push_back(kind + ": " + text);
  if (Journal_) Journal_->Add("box " + kind + ": " + text);
  if (!Script_.empty() && Script_.front().Kind == kind && Script_.front().Text == text) {
    LastAnswer_ = Script_.front().Answer;
    Script_.pop_front();
    return true;
  }
  Unexpected_.push_back(kind + ": " + text);
  LastAnswer_ = false;
  return false;
}

void TScriptedDialogs::Error(const std::string& text) { Take("error", text); }

bool TScriptedDialogs::WarningYesNo(const std::string& title, const std::string& text) {
  Take("warning", title.empty() ? text : "[" + title + "] " + text);
  return LastAnswer_;
}

void TScriptedDialogs::Information(const std::string& text) { Take("information", text); }

void TScriptedDialogs::Message(const std::string& text, const std::string&) { Take("message", text); }

}  // namespace druv
