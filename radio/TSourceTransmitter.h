#pragma once
// The last step of every send path while a KISS or APRS-IS source is chosen: the text goes out
// through that source, addressed from the TNC settings as they stand.
#include <functional>

#include "radio/IAprsTransmitter.h"
#include "radio/TStationSource.h"

namespace druv {

class TSourceTransmitter : public IAprsTransmitter {
 public:
  TSourceTransmitter(TStationSource& sources, std::function<TTncParametersRec()> tncParameters);
  // False only for a text no source may carry; other refusals are told by TStationSource.
  // There is no converse mode to wait for: the timing does not apply.
  bool Transmit(const std::string& text, const TConverseTimingRec& timing) override;

 private:
  TStationSource& Sources_;
  std::function<TTncParametersRec()> TncParameters_;
};

}  // namespace druv
