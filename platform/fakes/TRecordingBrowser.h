#pragma once
#include <string>
#include <vector>

#include "platform/IBrowser.h"

namespace druv {

class TRecordingBrowser : public IBrowser {
 public:
  bool Open(const std::string& urlOrPath) override {
    Opened.push_back(urlOrPath);
    return !Fails;
  }
  std::vector<std::string> Opened;
  bool Fails = false;  // as a machine without a browser
};

}  // namespace druv
