#pragma once
// APRS messages of the own station: outgoing messages with their numbers, retries and
// acknowledgements, and the messages heard for the own call sign, which are acknowledged.
// Decoded packets come in through PacketHeard; transmissions leave through the transmitter.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/DateTime.h"

namespace druv {

class IAprsTransmitter;
class IClock;
class IDialogs;
class ITimer;
class TAprsPacket;

enum TOutgoingState : uint8_t { osSent, osRetry, osAcked, osRejected, osFailed };
enum TMessageList : uint8_t { mlOutgoing, mlIncoming };

struct TOutgoingMessageRec {
  std::string Addressee;  // upper case
  std::string Text;
  std::string Number;
  TOutgoingState State = osSent;
  int Retries = 0;        // copies sent after the first
  TDateTime SentLocal = 0;
  TDateTime NextDueUtc = 0;  // while sent or retrying: when the next copy (or the verdict) is due
};

struct TIncomingMessageRec {
  std::string From;     // the sender's call with SSID
  std::string Text;
  std::string Number;   // empty when the sender asked for no acknowledgement
  TDateTime HeardLocal = 0;
  TDateTime LastHeardUtc = 0;
  int Copies = 1;
};

// Waits before each further copy of an unacknowledged message, then the wait for the answer to
// the last copy before the message counts as failed.
inline constexpr std::array<int, 5> RetryWaitsSeconds = {30, 60, 120, 240, 480};
inline constexpr int LastCopyWaitSeconds = 30;
inline constexpr int MaxMessageTextLength = 67;
inline constexpr int MaxMessageNumber = 99999;  // five characters; counts on from 1 after it
// Heard again within this time, a message without a number counts as the same message.
inline constexpr int UnnumberedRepeatSeconds = 60;

// "sent", "retry 2", "acked", "rejected", "failed".
std::string StateText(const TOutgoingMessageRec& m);
// "once", "3 times": how often a message for us was heard.
std::string CopiesText(const TIncomingMessageRec& m);
// The error text for an addressee or text that must not be sent; nothing when both are fine.
// The addressee is taken trimmed and upper-cased, the text trimmed.
std::optional<std::string> MessageError(const std::string& addressee, const std::string& text);
// ":" + addressee padded with blanks to nine characters + ":" + text, then "{" + number if any.
std::string MessageLine(const std::string& addressee, const std::string& text, const std::string& number);
std::string AckLine(const std::string& sender, const std::string& number);
// The call sign in a MYCALL parameter line ("MYCALL   QQ5AAA-9" gives QQ5AAA-9), upper case.
std::string CallSignOfMyCall(const std::string& myCallParameter);

class TAprsMessenger {
 public:
  TAprsMessenger(IAprsTransmitter& transmitter, IDialogs& dialogs, IClock& clock, ITimer& retryTimer);

  // The own call sign with SSID, as the TNC sends it; nothing is answered while it is empty.
  std::string MyCall;
  // The number of the last message sent; the next one counts on from it.
  int LastNumber = 0;
  std::function<void(int number)> OnNumberTaken;
  // For the window's lists: a row is about to be appended, was appended, or changed.
  std::function<void(TMessageList list, size_t row)> OnAboutToAdd, OnChanged;
  std::function<void(TMessageList list)> OnAdded;

  // " Send Msg to>": checks, numbers and sends; false (after an error box) when nothing was sent.
  bool Send(const std::string& addressee, const std::string& text);
  // Every decoded packet, once, in the order heard.
  void PacketHeard(const TAprsPacket& packet);
  // The retry timer's tick: sends the copies that are due and gives up on the exhausted.
  void RetryTick();

  const std::vector<TOutgoingMessageRec>& Outgoing() const { return Outgoing_; }
  const std::vector<TIncomingMessageRec>& Incoming() const { return Incoming_; }

 private:
  std::string TakeNumber();
  void Answered(const std::string& from, const std::string& number, TOutgoingState verdict);
  void MessageForUs(const std::string& from, const TAprsPacket& packet, const std::string& number);
  void Transmit(const std::string& line);
  void Reschedule();
  TDateTime After(int seconds) const;
  void Changed(TMessageList list, size_t row);
  template <class TRec>
  void Append(TMessageList list, std::vector<TRec>& rows, TRec rec);

  IAprsTransmitter& Transmitter_;
  IDialogs& Dialogs_;
  IClock& Clock_;
  ITimer& RetryTimer_;
  std::vector<TOutgoingMessageRec> Outgoing_;
  std::vector<TIncomingMessageRec> Incoming_;
};

}  // namespace druv
