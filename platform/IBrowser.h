#pragma once
#include <string>

namespace druv {

// The shell's "open": a web address or a file, with the default application.
class IBrowser {
 public:
  virtual ~IBrowser() = default;
  // Failures (no browser, missing file) are not reported.
  virtual void Open(const std::string& urlOrPath) = 0;
};

}  // namespace druv
