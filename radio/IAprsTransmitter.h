#pragma once
// The last step of every send path: one text goes on the air as a UI frame with the UNPROTO
// destination and path the TNC was given. The TS-2000's TNC does it in converse mode; another
// transport (KISS, APRS-IS) can stand in for it.
#include <string>

namespace druv {

// How a send path hands its text to the TNC: how long it gives the TNC to enter converse mode,
// and whether what the TNC answered meanwhile is discarded before the text goes out.
struct TConverseTimingRec {
  int SettleMs = 100;
  bool PurgeAfterSettle = true;
};

class IAprsTransmitter {
 public:
  virtual ~IAprsTransmitter() = default;
  // False when the text was refused because the TNC would take part of it as a command; a port
  // that fails meanwhile is not reported (nothing confirms a frame left the radio anyway).
  virtual bool Transmit(const std::string& text, const TConverseTimingRec& timing) = 0;
};

// The transport in use: the send paths hold this one and never learn which transport it forwards to.
class TTransmitterSlot : public IAprsTransmitter {
 public:
  explicit TTransmitterSlot(IAprsTransmitter& initial) : Current_(&initial) {}
  void Use(IAprsTransmitter& transmitter) { Current_ = &transmitter; }
  bool Transmit(const std::string& text, const TConverseTimingRec& timing) override {
    return Current_->Transmit(text, timing);
  }

 private:
  IAprsTransmitter* Current_;
};

}  // namespace druv
