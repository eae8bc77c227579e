#include "radio/TStationSource.h"

#include "common/ProcessFlags.h"
#include "common/Text.h"
#include "platform/IDialogs.h"
#include "radio/TAprsIsProtocol.h"
#include "radio/TAprsMessenger.h"
#include "radio/TKissProtocol.h"
#include "radio/TRxAssembler.h"
#include "radio/TSerialSourceLink.h"
#include "radio/TTcpSourceLink.h"

namespace druv {

TStationSource::TStationSource(TReceivedLines& lines, ITncLinkView& view, IDialogs& dialogs, ISteadyClock& clock,
                               TSourceTransportsRec transports)
    : Lines_(lines), View_(view), Dialogs_(dialogs), Clock_(clock), Transports_(std::move(transports)) {}

std::unique_ptr<TSourceConnection> TStationSource::Build(const TTncParametersRec& tnc) const {
  const TSourceSettingsRec& s = Settings_;
  std::unique_ptr<ISourceLink> link;
  if (s.Kind == skKissSerial)
    link = std::make_unique<TSerialSourceLink>(Transports_.NewSerialPort(), s.Device, s.BaudRate);
  else
    link = std::make_unique<TTcpSourceLink>(Transports_.NewTcpSocket(), HostOf(s), PortOf(s));
  std::unique_ptr<ISourceProtocol> protocol;
  if (s.Kind == skAprsIs)
    protocol = std::make_unique<TAprsIsProtocol>(s.Call.empty() ? CallSignOfMyCall(tnc.MyCall) : s.Call, s.Passcode,
                                                 s.Filter);
  else
    protocol = std::make_unique<TKissProtocol>();
  return std::make_unique<TSourceConnection>(SourceKindTitle(s.Kind), std::move(link), std::move(protocol), Clock_);
}

void TStationSource::Apply(const TSourceSettingsRec& settings, const TTncParametersRec& tnc) {
  const bool wasRunning = Running();
  Source_.reset();
  Settings_ = settings;
  Told_.clear();
  // The ticker of the first Packet ON goes on serving the new source.
  if (wasRunning && !UsesTs2000())
    Start(tnc);
  else if (wasRunning)
    View_.SetPacketOnEnabled(true);
  StatusChanged();
}

void TStationSource::Start(const TTncParametersRec& tnc) {
  Told_.clear();
  Source_ = Build(tnc);
  Source_->OnLine = [this](const std::string& line) { File(line); };
  Source_->OnStatusChanged = [this] { StatusChanged(); };
  Source_->Connect();
}

void TStationSource::PacketOn(const TTncParametersRec& tnc) {
  if (UsesTs2000() || Running()) return;
  View_.SetStatusLine("waiting on data..");
  View_.SetPacketOnEnabled(false);
  Start(tnc);
  View_.StartTicker();
  WorkerStopFlag.store(0, std::memory_order_relaxed);
}

void TStationSource::PacketOff() {
  if (!Running()) return;
  Source_.reset();
  View_.SetPacketOnEnabled(true);
  StatusChanged();
}

void TStationSource::Poll() {
  if (Source_) Source_->Poll();
}

void TStationSource::File(const std::string& received) {
  const std::string line = Trim(received);
  if (line.empty()) return;
  if (TRxAssembler::IsRawPacketLine(line)) Lines_.AppendRaw(line);
  Lines_.SetStatusLine(line);
}

std::string TStationSource::StatusText() const {
  if (UsesTs2000()) return {};
  if (Source_) return Source_->StatusText();
  return std::string(SourceKindTitle(Settings_.Kind)) + ": off (Packet ON connects)";
}

void TStationSource::StatusChanged() {
  if (OnStatusChanged) OnStatusChanged(StatusText());
}

TSendResult TStationSource::Send(const std::string& info, const TTncParametersRec& tnc) {
  TSendResult result = srNotConnected;
  if (HasReservedCallSign(tnc.MyCall))
    result = srBadAddress;
  else if (Source_)
    result = Source_->Send(OwnPacket(tnc, info));
  Tell(result, tnc.MyCall);
  return result;
}

void TStationSource::Tell(TSendResult result, const std::string& myCallText) {
  if (result == srSent || result == srBadText || !Told_.insert(result).second) return;
  switch (result) {
    case srReceiveOnly:
      Dialogs_.Information(
          "APRS-IS is receive only without a passcode: nothing was sent. Enter the passcode of your call in "
          "Preferences > Station Data Source...");
      break;
    case srBadAddress:
      Dialogs_.Error("Nothing was sent: \"" + myCallText +
                     "\" or the UNPROTO destination and path is not a call sign this source can send from "
                     "(up to six letters and digits, SSID 0 to 15, at most eight digipeaters).");
      break;
    case srNotConnected:
      Dialogs_.Error("Nothing was sent: the station data source is not connected (" + StatusText() + ").");
      break;
    default: break;
  }
}

}  // namespace druv
