#pragma once
#include <string>
#include <vector>

#include "platform/IBrowser.h"

namespace druv {

class TRecordingBrowser : public IBrowser {
 public:
  void Open(const std::string& urlOrPath) override { Opened.push_back(urlOrPath); }
  std::vector<std::string> Opened;
};

}  // namespace druv
