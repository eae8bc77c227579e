#pragma once
#include "platform/IBrowser.h"

namespace druv {

class TQtBrowser : public IBrowser {
 public:
  bool Open(const std::string& urlOrPath) override;
};

}  // namespace druv
