#include "radio/TSourceTransmitter.h"

namespace druv {

TSourceTransmitter::TSourceTransmitter(IAprsTransmitter& ts2000, TStationSource& sources,
                                       std::function<TTncParametersRec()> tncParameters)
    : Ts2000_(ts2000), Sources_(sources), TncParameters_(std::move(tncParameters)) {}

bool TSourceTransmitter::Transmit(const std::string& text, const TConverseTimingRec& timing) {
  if (Sources_.UsesTs2000()) return Ts2000_.Transmit(text, timing);
  return Sources_.Send(text, TncParameters_()) != srBadText;
}

}  // namespace druv
