#pragma once
#include <string>

namespace druv {

// The shell's "open": a web address or a file, with the default application.
class IBrowser {
 public:
  virtual ~IBrowser() = default;
  // False when nothing could open it (no browser, missing file); callers that do not care ignore it.
  virtual bool Open(const std::string& urlOrPath) = 0;
};

}  // namespace druv
