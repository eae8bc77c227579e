#include "radio/TKissDecoder.h"

namespace druv {

std::string KissDataFrame(int port, std::string_view ax25) {
  std::string out;
  out.reserve(ax25.size() + 8);
  out += kiss::Fend;
  out += static_cast<char>((port & 0x0F) << 4);
  for (char c : ax25) {
    if (c == kiss::Fend) {
      out += kiss::Fesc;
      out += kiss::Tfend;
    } else if (c == kiss::Fesc) {
      out += kiss::Fesc;
      out += kiss::Tfesc;
    } else {
      out += c;
    }
  }
  out += kiss::Fend;
  return out;
}

void TKissDecoder::Reset() {
  Frame_.clear();
  Escaped_ = Skipping_ = false;
}

void TKissDecoder::Feed(std::string_view bytes) {
  for (char c : bytes) {
    if (c == kiss::Fend) {
      EndFrame();
      continue;
    }
    if (Skipping_) continue;
    if (Escaped_) {
      Escaped_ = false;
      if (c == kiss::Tfend) {
        c = kiss::Fend;
      } else if (c == kiss::Tfesc) {
        c = kiss::Fesc;
      } else {
        Skipping_ = true;
        continue;
      }
    } else if (c == kiss::Fesc) {
      Escaped_ = true;
      continue;
    }
    if (Frame_.size() == MaxFrameLength) {
      Skipping_ = true;
      continue;
    }
    Frame_ += c;
  }
}

void TKissDecoder::EndFrame() {
  const bool bad = Skipping_ || Escaped_;
  const bool empty = Frame_.empty();
  // Swapped, not copied: both buffers keep their capacity from frame to frame.
  std::string& frame = Finished_;
  frame.swap(Frame_);
  Reset();
  if (bad) {
    ++Malformed_;
    return;
  }
  if (empty) return;  // FEND FEND: the gap between frames
  const auto type = static_cast<unsigned char>(frame[0]);
  if ((type & 0x0F) != 0) {
    ++OtherCommands_;
    return;
  }
  if (frame.size() == 1) {
    ++Malformed_;
    return;
  }
  ++Frames_;
  if (OnFrame) OnFrame(type >> 4, std::string_view(frame).substr(1));
}

}  // namespace druv
