#pragma once
// The whole window set: every window is created at start-up in a fixed order (a later window's
// constructor may rely on every earlier one existing) and kept until the program ends; opening a
// window shows it, closing one hides it. Also owns the tickers that "Packet ON" starts.
#include <QString>
#include <memory>
#include <vector>

#include "app/TTickerSet.h"
#include "common/DateTime.h"

class QWidget;

namespace druv {

class ISerialPort;
class IDialogs;
class IWaits;
class IClock;
class TDRUVform;
class TDXfunctions;

// The main window's caption while a ticker runs: "DRUVaprs    " and the local time in the
// user's long time format.
QString TickerCaption(TDateTime localNow);

class TAppWindows {
 public:
  // Creates the windows, then shows the start window (only that one).
  TAppWindows(ISerialPort& radioPort, ISerialPort& gpsPort, IDialogs& dialogs, IWaits& waits, IClock& clock,
              int tickerPeriodMs = 500);
  // Stops and joins every ticker before any window goes.
  ~TAppWindows();
  TAppWindows(const TAppWindows&) = delete;
  TAppWindows& operator=(const TAppWindows&) = delete;

  const std::vector<QWidget*>& InCreationOrder() const { return Order_; }
  // The window of that class ("TzelGPS"), or nullptr.
  QWidget* Window(const QString& className) const;
  TDRUVform& DRUVform() const { return *DRUVform_; }
  TDXfunctions& DXfunctions() const { return *DXfunctions_; }
  TTickerSet& Tickers() { return Tickers_; }

  // Shows, restores and raises the named window; false for an unknown name.
  bool ShowWindow(const QString& className);
  void StopTickers() { Tickers_.StopAll(); }

 private:
  template <class TWindow, class... TArgs>
  TWindow* Create(TArgs&&... args);

  IClock& Clock_;
  std::vector<std::unique_ptr<QWidget>> Windows_;
  std::vector<QWidget*> Order_;
  TDRUVform* DRUVform_ = nullptr;
  TDXfunctions* DXfunctions_ = nullptr;
  TTickerSet Tickers_;
};

}  // namespace druv
