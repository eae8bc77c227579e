#pragma once
// KISS framing: frames between FEND bytes, FEND and FESC inside them escaped as FESC TFEND and
// FESC TFESC. The first byte of a frame is its port (high nibble) and command (low nibble);
// command 0 carries an AX.25 frame.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace druv {

namespace kiss {
inline constexpr char Fend = '\xC0';
inline constexpr char Fesc = '\xDB';
inline constexpr char Tfend = '\xDC';
inline constexpr char Tfesc = '\xDD';
}  // namespace kiss

// One data frame for port 0..15, escaped and delimited.
std::string KissDataFrame(int port, std::string_view ax25);

class TKissDecoder {
 public:
  // Far above any AX.25 frame (Dire Wolf's longest is about 2 KB); longer runs are line noise.
  static constexpr size_t MaxFrameLength = 4096;

  // Each data frame, unescaped, without its type byte, in arrival order.
  std::function<void(int port, std::string_view ax25)> OnFrame;

  // Any split of the stream gives the same frames.
  void Feed(std::string_view bytes);
  // Forgets a frame in progress (the link was lost halfway through it).
  void Reset();

  uint64_t Frames() const { return Frames_; }
  // Bad escapes, empty or over-long frames.
  uint64_t Malformed() const { return Malformed_; }
  // Frames of other commands (TXDELAY, persistence, ...), which a host has no use for.
  uint64_t OtherCommands() const { return OtherCommands_; }

 private:
  void EndFrame();

  std::string Frame_, Finished_;
  bool Escaped_ = false;
  bool Skipping_ = false;  // the frame in progress is already known to be bad
  uint64_t Frames_ = 0, Malformed_ = 0, OtherCommands_ = 0;
};

}  // namespace druv
