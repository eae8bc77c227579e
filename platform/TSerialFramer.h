#pragma once
// Framed delivery of start/stop-delimited texts from a serial byte stream: everything from the start
// text up to and including the next stop text after it is one frame, both texts included. A '?' in
// the start text matches any one byte. Bytes outside a frame are dropped.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace druv {

class TSerialFramer {
 public:
  // start and stop must not be empty. A frame that grows past maxFrameBytes without its stop text
  // is dropped (noise on the line must not grow the buffer without bound).
  TSerialFramer(std::string start, std::string stop, size_t maxFrameBytes = 1024);

  // Called with each complete frame. It may feed more bytes (a nested event loop).
  std::function<void(const std::string& frame)> OnFrame;

  void Feed(std::string_view bytes);
  void Feed(char c);
  // Forgets a frame in progress, e.g. after the port was closed.
  void Reset();

 private:
  void KeepTailForStart();

  std::string Start_, Stop_;
  size_t MaxFrameBytes_;
  std::string Buffer_;  // the frame so far, or the last bytes that may begin the start text
  bool InFrame_ = false;
};

}  // namespace druv
