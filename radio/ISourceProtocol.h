#pragma once
// What a line source speaks over its link: KISS or the APRS-IS text protocol. It turns received
// bytes into monitor lines and an own packet into the bytes that transmit it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "radio/TOwnPacket.h"

namespace druv {

enum TSendResult : unsigned char {
  srSent,
  srNotConnected,  // the source is not connected (or the write failed and the link was dropped)
  srReceiveOnly,   // APRS-IS without a passcode
  srBadAddress,    // MYCALL or the UNPROTO path is no valid address for this source
  srBadText,       // the text holds a line break or NUL, or is empty
};

struct TEncodedRec {
  TSendResult Result = srSent;
  std::string Bytes;
};

class ISourceProtocol {
 public:
  virtual ~ISourceProtocol() = default;
  virtual std::string Name() const = 0;  // "KISS", "APRS-IS"
  // Sent as soon as the link opens (the APRS-IS login).
  virtual std::string Greeting() const { return {}; }
  // Calls OnLine for every complete line, OnServerMessage for every server comment.
  virtual void Feed(std::string_view bytes) = 0;
  // The link was lost: a line or frame in progress is dropped.
  virtual void Reset() = 0;
  // A link that delivers no byte for this long counts as lost; 0: silence is normal.
  virtual int64_t SilenceLimitMs() const { return 0; }
  virtual TEncodedRec Encode(const TOwnPacketRec& packet) const = 0;
  // Counters worth showing ("2 frames skipped"), or empty.
  virtual std::string Counters() const { return {}; }

  std::function<void(const std::string& line)> OnLine;
  std::function<void(const std::string& text)> OnServerMessage;
};

}  // namespace druv
