#pragma once
// The last step of every send path, through the source in use: the TS-2000's TNC as before, or
// the KISS or APRS-IS source, addressed from the TNC settings as they stand.
#include <functional>

#include "radio/IAprsTransmitter.h"
#include "radio/TStationSource.h"

namespace druv {

class TSourceTransmitter : public IAprsTransmitter {
 public:
  TSourceTransmitter(IAprsTransmitter& ts2000, TStationSource& sources,
                     std::function<TTncParametersRec()> tncParameters);
  // False only for a text no source may carry; other refusals are told by TStationSource.
  bool Transmit(const std::string& text, const TConverseTimingRec& timing) override;

 private:
  IAprsTransmitter& Ts2000_;
  TStationSource& Sources_;
  std::function<TTncParametersRec()> TncParameters_;
};

}  // namespace druv
