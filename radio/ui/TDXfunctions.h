#pragma once
// The main working window: radio controls, TNC settings, packet lists, terminal. It creates and
// wires the tab and panel widgets; the command sequences live in the radio core.
#include <QMainWindow>
#include <functional>

namespace druv {

class ISerialPort;
class IDialogs;
class IWaits;
class IClock;

class TDXfunctions : public QMainWindow {
  Q_OBJECT
 public:
  TDXfunctions(ISerialPort& radioPort, IDialogs& dialogs, IWaits& waits, IClock& clock,
               QWidget* parent = nullptr);
  ~TDXfunctions() override;

  // Set by the application: "Packet ON" starts a ticker through this hook.
  std::function<void()> StartTickerHook;
  // Set by the application: menu items that open another window pass its class name
  // ("TaprsConfigFm", "TAprsMapFm2", "TzelGPS", "TOpenMapFm", "TOpenStreetMapFm").
  std::function<void(const char* windowClass)> ShowWindowHook;

  // The ticker's station-log step: processes every line received since the last call, in order.
  void PopulateDB();
};

}  // namespace druv
