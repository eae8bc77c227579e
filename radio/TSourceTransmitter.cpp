#include "radio/TSourceTransmitter.h"

namespace druv {

TSourceTransmitter::TSourceTransmitter(TStationSource& sources, std::function<TTncParametersRec()> tncParameters)
    : Sources_(sources), TncParameters_(std::move(tncParameters)) {}

bool TSourceTransmitter::Transmit(const std::string& text, const TConverseTimingRec&) {
  return Sources_.Send(text, TncParameters_()) != srBadText;
}

}  // namespace druv
