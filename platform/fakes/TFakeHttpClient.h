#pragma once
// An HTTP client that answers from a table: a body for each known address, an error text for
// the rest. Records every address asked for.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/IHttpClient.h"

namespace druv {

class TFakeHttpClient : public IHttpClient {
 public:
  std::map<std::string, std::string> Bodies;    // url -> body
  std::map<std::string, std::string> Failures;  // url -> error text
  // Runs at the start of every fetch (a test may call Abort from here, as a Cancel button would).
  std::function<void(const std::string& url)> OnGet;
  std::vector<std::string> Requested;

  void GetToFile(const std::string& url, const std::string& path) override;
  void Abort() override { AbortAsked_ = true; }
  void SetTimeoutMs(int ms) override { TimeoutMs = ms; }
  int TimeoutMs = 30000;

 private:
  bool AbortAsked_ = false;
};

}  // namespace druv
