#pragma once
// KISS carrying AX.25: every APRS frame heard becomes a monitor line; own packets go out as UI
// frames on KISS port 0.
#include <cstdint>

#include "radio/ISourceProtocol.h"
#include "radio/TKissDecoder.h"

namespace druv {

class TKissProtocol : public ISourceProtocol {
 public:
  TKissProtocol();

  std::string Name() const override { return "KISS"; }
  void Feed(std::string_view bytes) override { Kiss_.Feed(bytes); }
  void Reset() override { Kiss_.Reset(); }
  TEncodedRec Encode(const TOwnPacketRec& packet) const override;
  std::string Counters() const override;

  uint64_t Lines() const { return Lines_; }
  // Well-formed frames that are no APRS (other AX.25 frame types, other KISS commands).
  uint64_t Skipped() const { return NotAprs_ + Kiss_.OtherCommands(); }
  // Bytes that were no KISS or no AX.25 frame.
  uint64_t Malformed() const { return Malformed_ + Kiss_.Malformed(); }

 private:
  void Frame(std::string_view ax25);

  TKissDecoder Kiss_;
  uint64_t Lines_ = 0, NotAprs_ = 0, Malformed_ = 0;
};

}  // namespace druv
