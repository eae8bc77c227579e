#include "app/TAppWindows.h"

#include <QWidget>

#include "app/TDRUVform.h"
#include "gps/ui/TzelGPS.h"
#include "map/ui/TAPRSmapFm.h"
#include "map/ui/TAprsMapFm2.h"
#include "map/ui/TaprsConfigFm.h"
#include "map/ui/TsymbolFm.h"
#include "platform/IClock.h"
#include "platform/qt/QtTime.h"
#include "radio/ui/TDXfunctions.h"
#include "stations/ui/TStnDataFm.h"
#include "stations/ui/TaprsDBFm.h"
#include "tiles/ui/TOpenMapFm.h"
#include "tiles/ui/TOpenStreetMapFm.h"
#include "tiles/ui/TTileFm.h"

namespace druv {

QString TickerCaption(TDateTime localNow) { return QStringLiteral("DRUVaprs    ") + FormatLongTime(localNow); }

template <class TWindow, class... TArgs>
TWindow* TAppWindows::Create(TArgs&&... args) {
  auto window = std::make_unique<TWindow>(std::forward<TArgs>(args)...);
  TWindow* raw = window.get();
  // Only the start window ends the program.
  raw->setAttribute(Qt::WA_QuitOnClose, false);
  raw->setAttribute(Qt::WA_DeleteOnClose, false);
  Windows_.push_back(std::move(window));
  Order_.push_back(raw);
  return raw;
}

TAppWindows::TAppWindows(ISerialPort& radioPort, ISerialPort& gpsPort, IDialogs& dialogs, IWaits& waits,
                         IClock& clock, int tickerPeriodMs)
    : Clock_(clock),
      Tickers_([this] { DXfunctions_->setWindowTitle(TickerCaption(Clock_.LocalNow())); },
               [this] { DXfunctions_->PopulateDB(); }, tickerPeriodMs) {
  DRUVform_ = Create<TDRUVform>(dialogs);
  DRUVform_->setAttribute(Qt::WA_QuitOnClose, true);
  Create<TaprsConfigFm>();
  Create<TOpenStreetMapFm>();
  DXfunctions_ = Create<TDXfunctions>(radioPort, dialogs, waits, clock);
  Create<TAPRSmapFm>();
  Create<TAprsMapFm2>();
  auto* stnData = Create<TStnDataFm>();
  Create<TsymbolFm>();
  auto* dataset = Create<TaprsDBFm>();
  auto* gps = Create<TzelGPS>(gpsPort, dialogs);
  Create<TTileFm>();
  Create<TOpenMapFm>();

  // The station log files into the table of the station dataset window.
  DXfunctions_->SetStationWindows(*dataset, *stnData);
  DXfunctions_->StartTickerHook = [this] { Tickers_.Start(); };
  DXfunctions_->RepaintMapHook = [this] {
    if (QWidget* map = Window(QStringLiteral("TAprsMapFm2"))) map->update();
  };
  // Each GPS fix goes into the composer, which composes the report from it.
  gps->ComposerPositionHook = [this](const QString& latitude, const QString& longitude) {
    DXfunctions_->SetComposerLatitude(latitude);
    DXfunctions_->SetComposerLongitude(longitude);
  };
  gps->ComposeHook = [this] { DXfunctions_->Compose(); };
  DXfunctions_->ShowWindowHook = [this](const char* windowClass) {
    ShowWindow(QString::fromLatin1(windowClass));
  };
  QObject::connect(DRUVform_, &TDRUVform::StartAprs, DRUVform_,
                   [this] { ShowWindow(QStringLiteral("TDXfunctions")); });

  DRUVform_->show();
}

TAppWindows::~TAppWindows() {
  Tickers_.StopAll();
  // Later windows may refer to earlier ones.
  while (!Windows_.empty()) Windows_.pop_back();
}

QWidget* TAppWindows::Window(const QString& className) const {
  for (QWidget* w : Order_)
    if (w->objectName() == className) return w;
  return nullptr;
}

bool TAppWindows::ShowWindow(const QString& className) {
  QWidget* w = Window(className);
  if (!w) return false;
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
  return true;
}

}  // namespace druv
