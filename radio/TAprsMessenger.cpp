#include "radio/TAprsMessenger.h"

#include <cmath>

#include "common/Numbers.h"
#include "common/Text.h"
#include "parser/TAprsPacket.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/ITimer.h"
#include "radio/IAprsTransmitter.h"
#include "radio/TTncLink.h"
#include "radio/TTncParameters.h"

namespace druv {

namespace {
constexpr double kMsPerDay = 86400000.0;
const TConverseTimingRec kMessageTiming{100, true};

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Letters and digits, at most one "-" followed by an SSID of one or two letters or digits.
bool IsCallSign(std::string_view s) {
  if (s.empty() || s.size() > 9) return false;
  const size_t dash = s.find('-');
  const std::string_view base = s.substr(0, dash);
  if (base.empty()) return false;
  for (char c : base)
    if (!IsLetterOrDigit(c)) return false;
  if (dash == std::string_view::npos) return true;
  const std::string_view ssid = s.substr(dash + 1);
  if (ssid.empty() || ssid.size() > 2) return false;
  for (char c : ssid)
    if (!IsLetterOrDigit(c)) return false;
  return true;
}

std::string PaddedAddressee(const std::string& call) {
  std::string a = call.substr(0, 9);
  a.resize(9, ' ');
  return a;
}

bool Pending(const TOutgoingMessageRec& m) { return m.State == osSent || m.State == osRetry; }

// The message's own number, and the number of ours it answers (reply-ack form "{MM}AA", which the
// parser splits into SeqID and ReplyAck).
std::pair<std::string, std::string> SplitNumber(const TAprsMessageData& data) {
  std::string_view seqId = data.SeqID;
  const size_t brace = seqId.find('}');
  if (brace == std::string_view::npos) return {Trim(seqId), Trim(data.ReplyAck)};
  return {Trim(seqId.substr(0, brace)), Trim(seqId.substr(brace + 1))};
}
}  // namespace

std::string StateText(const TOutgoingMessageRec& m) {
  switch (m.State) {
    case osSent: return "sent";
    case osRetry: return "retry " + FormatInt(m.Retries);
    case osAcked: return "acked";
    case osRejected: return "rejected";
    case osFailed: return "failed";
  }
  return {};
}

std::string CopiesText(const TIncomingMessageRec& m) {
  return m.Copies == 1 ? std::string("once") : FormatInt(m.Copies) + " times";
}

std::optional<std::string> MessageError(const std::string& addressee, const std::string& text) {
  const std::string a = UpperCase(Trim(addressee));
  const std::string t = Trim(text);
  if (!IsCallSign(a))
    return "The addressee must be a call sign of 1 to 9 letters and digits, with one \"-\" before an SSID if it "
           "has one (for example QQ5AAA-9).";
  if (HasReservedCallSign(a)) return a + " is only an example: enter the call sign of the station the message is for.";
  if (t.empty()) return std::string("Enter the text of the message.");
  if (t.size() > static_cast<size_t>(MaxMessageTextLength))
    return "A message holds at most " + FormatInt(MaxMessageTextLength) + " characters; this one has " +
           FormatInt(static_cast<long long>(t.size())) + ".";
  for (unsigned char c : t)
    if (c == '|' || c == '~' || c == '{' || c < 0x20 || c == 0x7F)
      return std::string("A message may not hold the characters |, ~ or { nor control characters.");
  if (!TTncLink::IsSafeToSend(MessageLine(a, t, "1")))
    return std::string("The TNC would take \"TC \" or \"CONV\" in this message for a command: it cannot be sent.");
  return std::nullopt;
}

std::string MessageLine(const std::string& addressee, const std::string& text, const std::string& number) {
  return ":" + PaddedAddressee(addressee) + ":" + text + (number.empty() ? "" : "{" + number);
}

std::string AckLine(const std::string& sender, const std::string& number) {
  return ":" + PaddedAddressee(sender) + ":ack" + number;
}

std::string CallSignOfMyCall(const std::string& myCallParameter) {
  std::string_view s = TrimView(myCallParameter);
  if (UpperCase(s.substr(0, 6)) == "MYCALL") s.remove_prefix(6);
  return UpperCase(TrimView(s));
}

TAprsMessenger::TAprsMessenger(IAprsTransmitter& transmitter, IDialogs& dialogs, IClock& clock, ITimer& retryTimer)
    : Transmitter_(transmitter), Dialogs_(dialogs), Clock_(clock), RetryTimer_(retryTimer) {
  RetryTimer_.OnTimeout = [this] { RetryTick(); };
}

TDateTime TAprsMessenger::After(int seconds) const { return Clock_.UtcNow() + seconds * 1000.0 / kMsPerDay; }

void TAprsMessenger::Transmit(const std::string& line) { Transmitter_.Transmit(line, kMessageTiming); }

void TAprsMessenger::Changed(TMessageList list, size_t row) {
  if (OnChanged) OnChanged(list, row);
}

template <class TRec>
void TAprsMessenger::Append(TMessageList list, std::vector<TRec>& rows, TRec rec) {
  if (OnAboutToAdd) OnAboutToAdd(list, rows.size());
  rows.push_back(std::move(rec));
  if (OnAdded) OnAdded(list);
}

std::string TAprsMessenger::TakeNumber() {
  LastNumber = (LastNumber < 1 || LastNumber >= MaxMessageNumber) ? 1 : LastNumber + 1;
  if (OnNumberTaken) OnNumberTaken(LastNumber);
  return FormatInt(LastNumber);
}

bool TAprsMessenger::Send(const std::string& addressee, const std::string& text) {
  if (auto error = MessageError(addressee, text)) {
    Dialogs_.Error(*error);
    return false;
  }
  TOutgoingMessageRec m;
  m.Addressee = UpperCase(Trim(addressee));
  m.Text = Trim(text);
  m.Number = TakeNumber();
  Transmit(MessageLine(m.Addressee, m.Text, m.Number));
  m.SentLocal = Clock_.LocalNow();
  m.NextDueUtc = After(RetryWaitsSeconds[0]);
  Append(mlOutgoing, Outgoing_, std::move(m));
  Reschedule();
  return true;
}

void TAprsMessenger::PacketHeard(const TAprsPacket& packet) {
  if (MyCall.empty() || packet.DataTypeID != dtMessage) return;
  const TAprsMessageData& data = packet.MessageData;
  if (UpperCase(Trim(data.Addressee)) != MyCall) return;
  const std::string from = UpperCase(packet.SourceCallSign.StationCall);
  if (from.empty() || from == MyCall) return;  // our own message, relayed back to us
  const auto [number, answers] = SplitNumber(data);
  if (data.MsgType == mtAck || data.MsgType == mtRej) {
    Answered(from, number, data.MsgType == mtAck ? osAcked : osRejected);
    return;
  }
  MessageForUs(from, packet, number);
  if (!answers.empty()) Answered(from, answers, osAcked);
}

void TAprsMessenger::Answered(const std::string& from, const std::string& number, TOutgoingState verdict) {
  if (number.empty()) return;
  for (size_t i = Outgoing_.size(); i-- > 0;) {
    TOutgoingMessageRec& m = Outgoing_[i];
    if (m.Addressee != from || m.Number != number) continue;
    // A late ack still tells the operator the message arrived; a late rej changes nothing.
    if (Pending(m) || (m.State == osFailed && verdict == osAcked)) {
      m.State = verdict;
      Changed(mlOutgoing, i);
      Reschedule();
    }
    return;
  }
}

void TAprsMessenger::MessageForUs(const std::string& from, const TAprsPacket& packet, const std::string& number) {
  const std::string& text = packet.MessageData.MsgText;
  const TDateTime now = Clock_.UtcNow();
  const TDateTime repeatWindow = UnnumberedRepeatSeconds * 1000.0 / kMsPerDay;
  size_t row = Incoming_.size();
  for (size_t i = Incoming_.size(); i-- > 0;) {
    const TIncomingMessageRec& m = Incoming_[i];
    if (m.From == from && m.Number == number && m.Text == text &&
        (!number.empty() || now - m.LastHeardUtc <= repeatWindow)) {
      row = i;
      break;
    }
  }
  if (row < Incoming_.size()) {
    ++Incoming_[row].Copies;
    Incoming_[row].LastHeardUtc = now;
    Changed(mlIncoming, row);
  } else {
    Append(mlIncoming, Incoming_, TIncomingMessageRec{from, text, number, Clock_.LocalNow(), now, 1});
  }
  // Every copy is answered: the sender repeats because it did not hear the last ack.
  if (!number.empty()) Transmit(AckLine(from, number));
}

void TAprsMessenger::RetryTick() {
  const TDateTime now = Clock_.UtcNow();
  for (size_t i = 0; i < Outgoing_.size(); ++i) {
    TOutgoingMessageRec& m = Outgoing_[i];
    if (!Pending(m) || std::llround((m.NextDueUtc - now) * kMsPerDay) > 0) continue;
    if (m.Retries < static_cast<int>(RetryWaitsSeconds.size())) {
      Transmit(MessageLine(m.Addressee, m.Text, m.Number));
      ++m.Retries;
      m.State = osRetry;
      m.NextDueUtc = After(m.Retries < static_cast<int>(RetryWaitsSeconds.size())
                               ? RetryWaitsSeconds[static_cast<size_t>(m.Retries)]
                               : LastCopyWaitSeconds);
    } else {
      m.State = osFailed;
    }
    Changed(mlOutgoing, i);
  }
  Reschedule();
}

void TAprsMessenger::Reschedule() {
  std::optional<TDateTime> next;
  for (const auto& m : Outgoing_)
    if (Pending(m) && (!next || m.NextDueUtc < *next)) next = m.NextDueUtc;
  if (!next) {
    RetryTimer_.Stop();
    return;
  }
  const long long ms = std::llround((*next - Clock_.UtcNow()) * kMsPerDay);
  RetryTimer_.Start(static_cast<int>(std::max(0LL, ms)), true);
}

}  // namespace druv
