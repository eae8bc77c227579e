#include "radio/TPositionReporter.h"

#include <cmath>

#include "common/Error.h"
#include "common/Numbers.h"
#include "common/Text.h"
#include "parser/Decoders.h"
#include "platform/IDialogs.h"
#include "platform/ITimer.h"
#include "radio/IAprsTransmitter.h"

namespace druv {

const std::array<std::string_view, 22> SymbolListEntries = {
    "- House QTH",       "# DIGI",          "% DX CLUSTER",           "& HF GATEway ",
    ". X",               "/ Dot",           "_ WEATHER Station ",     "> CAR",
    "h HOSPITAL",        "I Tcp-Ip",        "j JEEP (SSID-12) ",      "k TRUCK (SSID-14)",
    "m Mic-Repeater ",   "n Node ",         "p ROVER (puppy)",        "r ANTENNA",
    "R RECREL VEHICLE",  "U BUS ",          "u TRUCK (18 wheeler) ",  "v VAN (SSID-15)",
    "W National WX Service ", "y YAGI @ QTH"};

namespace {
const char* const kNotComposed =
    "You must compose a valid message using the Compose Msg button before you can send a position packet.";
const TConverseTimingRec kSendTiming{100, true};
const TConverseTimingRec kBeaconTiming{200, false};

double ParseDegrees(const std::string& text, double limit, const char* what) {
  const double v = StrToFloat(text);
  // Beyond the poles or the date line the report would be no position at all.
  if (std::fabs(v) > limit)
    throw Error(std::string(what) + " must lie between -" + FormatInt(static_cast<long long>(limit)) + " and " +
                FormatInt(static_cast<long long>(limit)) + " degrees, not " + text + ".");
  return v;
}
}  // namespace

char SymbolForEntry(int index) {
  if (index < 0 || index >= static_cast<int>(SymbolListEntries.size())) return '-';
  return SymbolListEntries[static_cast<size_t>(index)][0];
}

bool IsComposed(std::string_view positionText) { return positionText.substr(0, 3) != "you"; }

std::string PositionText(double latitude, double longitude, char symbol, const std::string& comment) {
  return "!" + FormatLatitude(latitude) + "/" + FormatLongitude(longitude) + symbol + " " + comment;
}

std::string RemoveCmdMarkers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (i + 4 <= text.size() && UpperCase(text.substr(i, 4)) == "CMD:") {
      i += 4;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string SettingsSummaryCaption(const std::string& unproto, const std::string& myCall,
                                   const std::string& positionText) {
  const std::string position = Contains(positionText, "you must")
                                   ? "Message/Coordinates NOT Set; set with Postition Report>Compose Message"
                                   : positionText;
  return "Current settings: " + unproto + "      " + myCall + "      " + position;
}

TPositionReporter::TPositionReporter(IAprsTransmitter& transmitter, IDialogs& dialogs, ITimer& beaconTimer,
                                     IPositionReportView& view)
    : Transmitter_(transmitter), Dialogs_(dialogs), BeaconTimer_(beaconTimer), View_(view) {
  BeaconTimer_.OnTimeout = [this] { BeaconTick(); };
}

void TPositionReporter::Compose(const TComposerTextsRec& texts, int symbolIndex) {
  if (texts.Latitude == FixedDefaultLatitude || texts.Longitude == FixedDefaultLongitude) {
    Dialogs_.Error("You need to use YOUR latitude and longitude, not the software default.");
    View_.ComposeFinished();
    return;
  }
  try {
    const double latitude = ParseDegrees(texts.Latitude, 90, "Latitude");
    const double longitude = ParseDegrees(texts.Longitude, 180, "Longitude");
    View_.SetPositionText(PositionText(latitude, longitude, SymbolForEntry(symbolIndex), texts.Comment));
  } catch (const Error& e) {
    // The composer stays open so the operator can correct the field.
    Dialogs_.Error(e.what());
    return;
  }
  View_.ComposeFinished();
}

void TPositionReporter::SendWithCtrl() {
  if (View_.PacketOnEnabled()) {
    Dialogs_.Error("TNC must be turned on before you can send a position packet (Packet ON button).");
    return;
  }
  const std::string position = View_.PositionText();
  if (!IsComposed(position) || !View_.CtrlHeld()) {
    Dialogs_.Error(
        "You must compose a valid message using the Compose Msg button before you can send a position packet AND "
        "you MUST hold down the Ctrl key.");
    return;
  }
  Transmitter_.Transmit(RemoveCmdMarkers(Trim(position)), kSendTiming);
}

void TPositionReporter::SendConfirmed() {
  if (!Dialogs_.WarningYesNo("Send position report",
                             "This action will transmit a packet using the TS2000 and the TNC. Do you want to "
                             "continue?")) {
    View_.RepaintMap();
    return;
  }
  const std::string position = View_.PositionText();
  if (!IsComposed(position)) {
    Dialogs_.Error(kNotComposed);
    return;
  }
  Transmitter_.Transmit(RemoveCmdMarkers(Trim(position + " DRUVaprs")), kSendTiming);
}

void TPositionReporter::SetBeacon(bool on) {
  if (on && !BeaconTimer_.IsActive())
    BeaconTimer_.Start(BeaconPeriodMs);
  else if (!on)
    BeaconTimer_.Stop();
}

bool TPositionReporter::BeaconOn() const { return BeaconTimer_.IsActive(); }

void TPositionReporter::BeaconTick() {
  const std::string position = View_.PositionText();
  if (!IsComposed(position))
    Dialogs_.Error(kNotComposed);
  else
    Transmitter_.Transmit(Trim(position), kBeaconTiming);
  View_.RepaintMap();
}

}  // namespace druv
