#pragma once
// The GPS receiver's serial port: its defaults, its settings file and the framing of its sentences.
#include "platform/SerialSettings.h"

namespace druv {

// Beside the executable, in the same ini layout as the radio port's zelAPRS.ini.
inline constexpr const char* GpsIniFileName = "gps.ini";
inline constexpr const char* GpsPortObjectName = "ComPort1";

// Each sentence is delivered from "$GPRMC" up to and including the "$" that starts the next one.
// Receivers that combine several satellite systems send the same sentence as "$GNRMC" (or
// "$GLRMC", "$GARMC"), which is taken as well.
inline constexpr const char* GpsSentenceStart = "$G?RMC";
inline constexpr const char* GpsSentenceStop = "$";

// COM3, 9600 baud, 8N1, no flow control, DTR and RTS inactive.
inline TSerialSettingsRec GpsPortDefaults() {
  TSerialSettingsRec s;
  s.Port = "COM3";
  s.BaudRate = 9600;
  s.DataBits = 8;
  s.StopBits = sbOne;
  s.Parity = paNone;
  s.FlowControl = fcNone;
  s.HoldDtrRtsInactive = true;
  return s;
}

}  // namespace druv
