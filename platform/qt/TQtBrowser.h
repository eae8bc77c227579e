#pragma once
#include "platform/IBrowser.h"

namespace druv {

class TQtBrowser : public IBrowser {
 public:
  void Open(const std::string& urlOrPath) override;
};

}  // namespace druv
