#include "app/TAppWindows.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "app/TDRUVform.h"
#include "common/Files.h"
#include "gps/ui/TzelGPS.h"
#include "map/TSymbolSheet.h"
#include "map/ui/TAPRSmapFm.h"
#include "map/ui/TAprsMapFm2.h"
#include "map/ui/TQImageMapPicture.h"
#include "map/ui/TaprsConfigFm.h"
#include "map/ui/TsymbolFm.h"
#include "platform/IClock.h"
#include "platform/qt/QtText.h"
#include "radio/TQthFile.h"
#include "platform/qt/QtTime.h"
#include "radio/ui/TDXfunctions.h"
#include "stations/ui/TStnDataFm.h"
#include "stations/ui/TaprsDBFm.h"
#include "tiles/ui/TOpenMapFm.h"
#include "tiles/ui/TOpenStreetMapFm.h"
#include "tiles/ui/TTileFm.h"

namespace druv {

namespace {

// "Your latitude:" and "Your longitude:" of the Universal map configuration hold the position
// that "qth.cfg" keeps between runs; the locate tool starts from it too.
class TConfigQthFields : public IQthFields {
 public:
  TConfigQthFields(TaprsConfigFm& config, TOpenStreetMapFm& locateTool) : Config_(config), LocateTool_(locateTool) {}
  void SetQthTexts(const TQthTextsRec& texts) override {
    Config_.LatitudeEdit->setText(ToQString(texts.Latitude));
    Config_.LongitudeEdit->setText(ToQString(texts.Longitude));
    LocateTool_.SetCentreTexts(texts.Latitude, texts.Longitude);
  }
  TQthTextsRec QthTexts() const override {
    return {FromQString(Config_.LatitudeEdit->text()), FromQString(Config_.LongitudeEdit->text())};
  }

 private:
  TaprsConfigFm& Config_;
  TOpenStreetMapFm& LocateTool_;
};

}  // namespace

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
  auto* config = Create<TaprsConfigFm>(dialogs);
  auto* locateTool = Create<TOpenStreetMapFm>(dialogs);
  QthFields_ = std::make_unique<TConfigQthFields>(*config, *locateTool);
  DXfunctions_ = Create<TDXfunctions>(radioPort, dialogs, waits, clock, QthFields_.get());
  Create<TAPRSmapFm>();
  Symbols_ = std::make_unique<TSymbolSheet>(AppFolder(), LoadRasterWithQt);
  TAprsMapFm2* map = Create<TAprsMapFm2>(*Symbols_, dialogs, QString::fromLatin1(TDXfunctions::VersionText));
  auto* stnData = Create<TStnDataFm>();
  map->SymbolWindow = Create<TsymbolFm>(*Symbols_, dialogs);
  auto* dataset = Create<TaprsDBFm>();
  auto* gps = Create<TzelGPS>(gpsPort, dialogs);
  TTileFm* tileFm = Create<TTileFm>(dialogs);
  Create<TOpenMapFm>(dialogs, *tileFm);

  // The station log files into the table of the station dataset window.
  DXfunctions_->SetStationWindows(*dataset, *stnData);
  // The map plots that table and the raw list; its right click runs the main window's
  // nearest-station search, which hands the find back to the map.
  map->Stations = &dataset->APRSData;
  map->RawLines = &DXfunctions_->Lines().RawPackets();
  DXfunctions_->SetStationMap(map);
  map->NearestStationSearch = [this](const std::string& lat, const std::string& lon) {
    DXfunctions_->Edit3()->setText(ToQString(lat));
    DXfunctions_->Edit6()->setText(ToQString(lon));
    DXfunctions_->Button70Click();
  };
  map->ShowPacketDetails = [this](const std::string& packet) { return DXfunctions_->ShowPacketDetails(packet); };
  map->HideStationInfo = [stnData] { stnData->hide(); };
  map->StationInfoIsWeather = [stnData] { return stnData->Label6->text() == QLatin1String("WX STN"); };
  map->SetStationInfoWidth = [stnData](int width) { stnData->resize(width, stnData->height()); };
  DXfunctions_->StartTickerHook = [this] { Tickers_.Start(); };
  DXfunctions_->RepaintMapHook = [this] {
    if (QWidget* map = Window(QStringLiteral("TAprsMapFm2"))) map->update();
  };
  // Each GPS fix goes into the composer, which composes the report from it.
  gps->ComposerPositionHook = [this](const QString& latitude, const QString& longitude) {
    DXfunctions_->SetComposerLatitude(latitude);
    DXfunctions_->SetComposerLongitude(longitude);
  };
  gps->ComposeHook = [this] { DXfunctions_->ComposeFromGps(); };
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
