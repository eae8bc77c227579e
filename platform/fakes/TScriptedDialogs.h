#pragma once
// Message boxes answered from a script. A box the test did not expect is recorded as unexpected,
// and a test checks Unexpected() is empty (or uses TScriptedDialogs::Strict to throw at once).
#include <deque>
#include <string>
#include <vector>

#include "platform/IDialogs.h"
#include "platform/fakes/TJournal.h"

namespace druv {

class TScriptedDialogs : public IDialogs {
 public:
  explicit TScriptedDialogs(TJournal* journal = nullptr) : Journal_(journal) {}

  // Expect a box of kind ("error", "warning", "information", "message") with exactly this text;
  // for a warning box, answer says Yes or No.
  void Expect(const std::string& kind, const std::string& text, bool answer = true);
  // Every box shown, as "kind: text" (warning boxes "warning[title]: text").
  std::vector<std::string> Shown;
  const std::vector<std::string>& Unexpected() const { return Unexpected_; }
  bool AllExpectedShown() const { return Script_.empty(); }

  void Error(const std::string& text) override;
  bool WarningYesNo(const std::string& title, const std::string& text) override;
  void Information(const std::string& text) override;
  void Message(const std::string& text, const std::string& title = "") override;

 private:
  struct TStep {
    std::string Kind, Text;
    bool Answer;
  };
  bool Take(const std::string& kind, const std::string& text);
  TJournal* Journal_;
  std::deque<TStep> Script_;
  std::vector<std::string> Unexpected_;
  bool LastAnswer_ = false;
};

}  // namespace druv
