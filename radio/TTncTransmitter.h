#pragma once
#include "radio/IAprsTransmitter.h"

namespace druv {

class ISerialPort;
class IWaits;
class TTncLink;

// Through the TS-2000's TNC: purge, CONV, settle, (purge,) then the guarded send. Every step
// swallows port errors on its own, so a closed port leaves only the waits.
class TTncTransmitter : public IAprsTransmitter {
 public:
  TTncTransmitter(ISerialPort& port, IWaits& waits, TTncLink& link);
  bool Transmit(const std::string& text, const TConverseTimingRec& timing) override;

 private:
  ISerialPort& Port_;
  IWaits& Waits_;
  TTncLink& Link_;
};

}  // namespace druv
