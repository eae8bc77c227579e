#include "tools/tnc-sim/TTncSim.h"

#include <algorithm>

namespace druv {

namespace {
// Commands the simulation reacts to; the longest decides how much of a read is kept for the next.
constexpr std::string_view kTncOn = "TC 0;";
constexpr std::string_view kCatOn = "TC 1;";
constexpr std::string_view kMonOn = "MON ON";
constexpr std::string_view kMonOff = "MON OFF";
constexpr size_t kLongest = 7;
}  // namespace

TTncSim::TTncSim(TTncSimOptionsRec options)
    : Options_(std::move(options)),
      Interval_(Options_.RateLinesPerSecond > 0 ? 1.0 / Options_.RateLinesPerSecond : 0.5) {}

std::string TTncSim::Receive(std::string_view bytes, double now) {
  std::string answer;
  for (char c : bytes)
    if (c == '\x03') answer += "\r\ncmd:";
  if (!answer.empty()) PromptOpen_ = true;

  if (Options_.AckMessages)
    for (char c : bytes) TypedByte(c, now);

  std::string text = Tail_;
  const size_t fresh = text.size();
  text.append(bytes);
  auto endsInFresh = [&](size_t pos, std::string_view word) {
    return text.compare(pos, word.size(), word) == 0 && pos + word.size() > fresh;
  };
  // In order of appearance, so "TC 0;" ... "TC 1;" in one read ends in CAT control.
  for (size_t i = 0; i < text.size(); ++i) {
    if (endsInFresh(i, kTncOn)) TncMode_ = true;
    else if (endsInFresh(i, kCatOn)) TncMode_ = false;
    else if (endsInFresh(i, kMonOn)) MonitorOn_ = true;
    else if (endsInFresh(i, kMonOff)) MonitorOn_ = false;
  }
  Tail_ = text.substr(text.size() - std::min(text.size(), kLongest - 1));
  UpdatePlaying(now);
  return answer;
}

bool TTncSim::Playing() const {
  return TncMode_ && MonitorOn_ && NextIndex_ < Options_.Lines.size();
}

void TTncSim::UpdatePlaying(double now) {
  bool playing = Playing();
  // The first line comes one interval after monitoring starts, like a radio that hears a packet.
  if (playing && !WasPlaying_) NextDue_ = now + Interval_;
  WasPlaying_ = playing;
}

std::optional<std::string> TTncSim::NextLine(double now) {
  if (auto ack = DueAck(now)) return ack;
  if (!Playing() || now < NextDue_) return std::nullopt;
  // Like a TNC, a monitored frame starts on a line of its own, not after the prompt.
  std::string line = (PromptOpen_ ? Options_.LineEnd : std::string()) + Options_.Lines[NextIndex_++] + Options_.LineEnd;
  PromptOpen_ = false;
  if (NextIndex_ == Options_.Lines.size() && Options_.Loop) NextIndex_ = 0;
  NextDue_ += Interval_;
  // After a long stall carry on at the rate instead of sending the backlog in one burst.
  if (NextDue_ < now - 1.0) NextDue_ = now + Interval_;
  WasPlaying_ = Playing();
  return line;
}

double TTncSim::SecondsUntilNextLine(double now) const {
  const double ack = SecondsUntilAck(now);
  if (!Playing()) return ack;
  const double line = std::max(0.0, NextDue_ - now);
  return ack < 0 ? line : std::min(line, ack);
}

void TTncSim::TypedByte(char c, double now) {
  if (c == '\x03') {
    Typed_.clear();
  } else if (c == '\r' || c == '\n') {
    if (!Typed_.empty()) TypedLine(Typed_, now);
    Typed_.clear();
  } else if (Typed_.size() < 512) {
    Typed_ += c;
  }
}

void TTncSim::TypedLine(const std::string& line, double now) {
  auto trim = [](std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
  };
  if (line.rfind("MYCALL", 0) == 0) {
    MyCall_ = trim(line.substr(6));
    return;
  }
  // ":" addressee padded to nine ":" text "{" number, sent in converse mode.
  if (!TncMode_ || line.size() < 12 || line[0] != ':' || line[10] != ':' || MyCall_.empty()) return;
  const std::string body = line.substr(11);
  const size_t brace = body.rfind('{');
  if (brace == std::string::npos || brace + 1 == body.size()) return;
  std::string me = MyCall_;
  me.resize(9, ' ');
  Acks_.push_back({now + Options_.AckDelaySeconds,
                   trim(line.substr(1, 9)) + ">APRS,WIDE2-1::" + me + ":ack" + body.substr(brace + 1)});
}

std::optional<std::string> TTncSim::DueAck(double now) {
  if (Acks_.empty() || !TncMode_ || !MonitorOn_ || now < Acks_.front().Due) return std::nullopt;
  std::string line = (PromptOpen_ ? Options_.LineEnd : std::string()) + Acks_.front().Line + Options_.LineEnd;
  PromptOpen_ = false;
  Acks_.pop_front();
  return line;
}

double TTncSim::SecondsUntilAck(double now) const {
  if (Acks_.empty() || !TncMode_ || !MonitorOn_) return -1;
  return std::max(0.0, Acks_.front().Due - now);
}

std::string VisibleBytes(std::string_view bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "<CR>";
    } else if (c == '\n') {
      out += "<LF>";
    } else if (c >= 0x20 && c < 0x7F && c != '<') {
      out += static_cast<char>(c);
    } else {
      out += '<';
      out += hex[c >> 4];
      out += hex[c & 15];
      out += '>';
    }
  }
  return out;
}

}  // namespace druv
