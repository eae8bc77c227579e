#pragma once
#include <stdexcept>
#include <string>

namespace druv {

// An error whose text is what the user sees in the standard error box (8-bit text).
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace druv
