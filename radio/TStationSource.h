#pragma once
// Which line source the station uses, and everything it does with the one that is not the
// TS-2000: Packet ON and OFF, filing its lines where the TS-2000's go (raw packet list, status
// line and the queue the station log drains), transmitting own packets, the status bar text.
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/ISerialPort.h"
#include "platform/ISteadyClock.h"
#include "platform/ITcpSocket.h"
#include "radio/ITncLinkView.h"
#include "radio/TSourceConnection.h"
#include "radio/TReceivedLines.h"
#include "radio/TSourceSettings.h"
#include "radio/TTncParameters.h"

namespace druv {

class IDialogs;

// How the sources get their sockets and serial ports (Qt adapters, or fakes in the tests).
struct TSourceTransportsRec {
  std::function<std::unique_ptr<ITcpSocket>()> NewTcpSocket;
  std::function<std::unique_ptr<ISerialPort>()> NewSerialPort;
};

class TStationSource {
 public:
  TStationSource(TReceivedLines& lines, ITncLinkView& view, IDialogs& dialogs, ISteadyClock& clock,
                 TSourceTransportsRec transports);

  // For tests: sockets and ports from elsewhere, for the sources built from now on.
  void SetTransports(TSourceTransportsRec transports) { Transports_ = std::move(transports); }

  const TSourceSettingsRec& Settings() const { return Settings_; }
  // New settings. A source that runs is stopped; when the new kind is not the TS-2000 it starts
  // again at once with them, otherwise "Packet ON" is offered again.
  void Apply(const TSourceSettingsRec& settings, const TTncParametersRec& tnc);
  bool UsesTs2000() const { return Settings_.Kind == skTs2000; }
  // Packet ON was pressed and not yet OFF (never for the TS-2000, whose state is TTncLink's).
  bool Running() const { return Source_ != nullptr; }

  // For a source other than the TS-2000: connect, start the ticker; nothing goes to the radio.
  void PacketOn(const TTncParametersRec& tnc);
  void PacketOff();
  void Poll();

  // Transmits info through the running source, addressed from the TNC settings. Refusals are
  // told once each (receive-only APRS-IS, an address KISS cannot carry, no connection) until the
  // settings change or Packet ON is pressed again.
  TSendResult Send(const std::string& info, const TTncParametersRec& tnc);

  // The status bar text; empty for the TS-2000.
  std::string StatusText() const;
  std::function<void(const std::string& text)> OnStatusChanged;

 private:
  std::unique_ptr<TSourceConnection> Build(const TTncParametersRec& tnc) const;
  void Start(const TTncParametersRec& tnc);
  void File(const std::string& line);
  void StatusChanged();
  void Tell(TSendResult result, const std::string& myCallText);

  TReceivedLines& Lines_;
  ITncLinkView& View_;
  IDialogs& Dialogs_;
  ISteadyClock& Clock_;
  TSourceTransportsRec Transports_;
  TSourceSettingsRec Settings_;
  std::unique_ptr<TSourceConnection> Source_;
  std::set<TSendResult> Told_;
};

}  // namespace druv
