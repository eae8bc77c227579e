#include "radio/TTncTransmitter.h"

#include "common/Error.h"
#include "platform/ISerialPort.h"
#include "platform/IWaits.h"
#include "radio/TTncLink.h"

namespace druv {

TTncTransmitter::TTncTransmitter(ISerialPort& port, IWaits& waits, TTncLink& link)
    : Port_(port), Waits_(waits), Link_(link) {}

bool TTncTransmitter::Transmit(const std::string& text, const TConverseTimingRec& timing) {
  auto guarded = [](auto&& step) {
    try {
      step();
    } catch (const Error&) {
    }
  };
  guarded([&] { Port_.Purge(); });
  Link_.Converse();
  Waits_.Wait(timing.SettleMs);
  if (timing.PurgeAfterSettle) guarded([&] { Port_.Purge(); });
  if (!TTncLink::IsSafeToSend(text)) return false;
  guarded([&] { Link_.GuardedSend(text); });
  return true;
}

}  // namespace druv
