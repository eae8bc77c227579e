#pragma once
// The byte stream under a line source: a TCP connection or a serial port.
#include <functional>
#include <string>
#include <string_view>

namespace druv {

class ISourceLink {
 public:
  virtual ~ISourceLink() = default;
  // Where it goes, for the status bar: "127.0.0.1:8001", "/dev/ttyUSB0 9600 baud".
  virtual std::string Describe() const = 0;
  // Starts opening; OnOpened or OnClosed follows, possibly before Open returns.
  virtual void Open() = 0;
  // Closes at once; no event follows.
  virtual void Close() = 0;
  // Throws druv::Error when the bytes cannot be sent.
  virtual void Write(const std::string& bytes) = 0;

  std::function<void()> OnOpened;
  std::function<void(std::string_view bytes)> OnBytes;
  std::function<void(const std::string& why)> OnClosed;
};

}  // namespace druv
