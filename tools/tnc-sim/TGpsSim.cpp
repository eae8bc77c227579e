#include "tools/tnc-sim/TGpsSim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "gps/GpsNmea.h"

namespace druv {

namespace {

// ddmm.mmmm,N (degreeDigits 2) or dddmm.mmmm,E (3), minutes rounded to four decimals with the
// carry into the degrees.
std::string NmeaCoordinate(double degrees, int degreeDigits, char positive, char negative) {
  const long long tenThousandths = std::llround(std::fabs(degrees) * 60 * 10000);
  const long long whole = tenThousandths / 600000, rest = tenThousandths % 600000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld%02lld.%04lld,%c", degreeDigits, whole, rest / 10000, rest % 10000,
                degrees < 0 ? negative : positive);
  return buf;
}

std::string Sentence(const std::string& body) { return "$" + body + "*" + NmeaChecksum(body) + "\r\n"; }

}  // namespace

std::string GpsFixSentences(double latitude, double longitude, double utcSeconds) {
  const long long centis = std::llround(utcSeconds * 100);
  const std::time_t whole = static_cast<std::time_t>(centis / 100);
  std::tm t{};
  gmtime_r(&whole, &t);
  char time[48], date[48];
  std::snprintf(time, sizeof time, "%02d%02d%02d.%02lld", t.tm_hour, t.tm_min, t.tm_sec, centis % 100);
  std::snprintf(date, sizeof date, "%02d%02d%02d", t.tm_mday, t.tm_mon + 1, t.tm_year % 100);
  const std::string position = NmeaCoordinate(latitude, 2, 'N', 'S') + "," + NmeaCoordinate(longitude, 3, 'E', 'W');
  return Sentence("GPGGA," + std::string(time) + "," + position + ",1,08,0.9,545.4,M,46.9,M,,") +
         Sentence("GPRMC," + std::string(time) + ",A," + position + ",0.0,0.0," + date + ",,,A");
}

TGpsSim::TGpsSim(TGpsSimOptionsRec options)
    : Options_(std::move(options)),
      Interval_(Options_.RateFixesPerSecond > 0 ? 1.0 / Options_.RateFixesPerSecond : 1.0) {}

std::string TGpsSim::Receive(std::string_view, double) { return {}; }

std::optional<std::string> TGpsSim::NextLine(double now) {
  if (now < NextDue_) return std::nullopt;
  std::string text;
  if (Options_.Sentences.empty()) {
    text = GpsFixSentences(Options_.Latitude, Options_.Longitude, Options_.StartUtcSeconds + now);
  } else {
    if (NextIndex_ >= Options_.Sentences.size()) return std::nullopt;
    text = Options_.Sentences[NextIndex_++] + "\r\n";
    if (NextIndex_ == Options_.Sentences.size() && Options_.Loop) NextIndex_ = 0;
  }
  NextDue_ += Interval_;
  // After a stall carry on at the rate instead of sending the backlog in one burst.
  if (NextDue_ < now - 1.0) NextDue_ = now + Interval_;
  return text;
}

double TGpsSim::SecondsUntilNextLine(double now) const {
  if (!Options_.Sentences.empty() && NextIndex_ >= Options_.Sentences.size()) return -1;
  return std::max(0.0, NextDue_ - now);
}

}  // namespace druv
