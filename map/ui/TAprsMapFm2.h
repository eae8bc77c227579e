#pragma once
// The station map window: the map picture in a scrolling view, the plot buttons and check boxes,
// the pointer's position and locator, the right-click station look-up, dragging, saving the map
// with its stations, and the "Map" menu of built-in and other maps. Created hidden at start-up
// and kept for the life of the process; closing it only hides it.
#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "map/TStationMap.h"
#include "map/ui/TQImageMapPicture.h"
#include "stations/StationViews.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace druv {

class IDialogs;
class TMapImageView;
class TStationTable;
class TsymbolFm;

// What a file dialog is asked for; the filter as "caption|pattern;pattern".
struct TFileDialogRec {
  std::string Title, Folder, Filter, DefaultExtension;
};

class TAprsMapFm2 : public QMainWindow, public IStationMapLink {
  Q_OBJECT
 public:
  TAprsMapFm2(TSymbolSheet& symbols, IDialogs& dialogs, const QString& versionText, QWidget* parent = nullptr);
  ~TAprsMapFm2() override;

  // The rest of the program, set by the application once every window exists.
  TStationTable* Stations = nullptr;                 // RefreshMap, the right-click search
  const std::vector<std::string>* RawLines = nullptr;  // trails and weather: the raw packet list
  TsymbolFm* SymbolWindow = nullptr;
  // The main window's nearest-station search, given the clicked point as decimal-degree texts,
  // East positive; it reports through SetSearchStatus and GetAllInfo. Unset: the map runs the
  // same search on Stations itself.
  std::function<void(const std::string& latitude, const std::string& longitude)> NearestStationSearch;
  // The station information window: fill it (and the main window's "Station Data" box) from one
  // packet text and show it, false when the packet does not parse ("failed" is noted then); hide
  // it; whether its type reads "WX STN"; its width.
  std::function<bool(const std::string& packet)> ShowPacketDetails;
  std::function<void()> HideStationInfo;
  std::function<bool()> StationInfoIsWeather;
  std::function<void(int width)> SetStationInfoWidth;
  // File dialogs; an empty answer is a cancel. Qt's dialogs unless replaced.
  std::function<std::optional<std::string>(const TFileDialogRec&)> ChooseFileToOpen, ChooseFileToSave;

  // IStationMapLink
  void SetSearchStatus(const std::string& text) override;
  void GetAllInfo(const std::string& thepacket) override;

  // Buttons and menu items.
  void RefreshMapClick();
  void RefreshTrailsClick();
  void PlotWeatherOnlyClick();
  void CenterClick();
  void CloseMapClick();
  void SaveMapClick();
  void SelectBuiltInMap(const std::string& base, QAction* item);
  void SelectOtherMap(bool jpeg);
  // The pointer, in picture pixels.
  void PointerMoved(QPoint pixel, Qt::MouseButtons held);
  void PointerLeft();
  void MousePressed(QPoint pixel, Qt::MouseButton button);

  TStationMap& Map() { return Map_; }
  TQImageMapPicture& Picture() { return Picture_; }
  QPoint PanAnchor() const { return PanAnchor_; }
  QLabel* StatusPanel(int panel) const { return Panels_.at(static_cast<size_t>(panel - 1)); }

  QScrollArea* ScrollBox1;
  TMapImageView* Image1;
  QPushButton *RefreshMapButton, *RefreshTrailsButton, *WxOnlyButton, *CenterButton, *CloseMapButton;
  QCheckBox *AutoUpdate, *NoRefresh, *StrategicCall, *NormalOther, *QthNowTrails, *Panning;
  QLabel *GridLabel, *RightClickLabel, *PressRefreshLabel, *FocusLabel;
  QLabel *LatitudeReadout, *LongitudeReadout;  // not shown: what the right-click passes on
  QAction *SaveMapItem, *ExitItem, *CustomItem, *UniversalItem, *UsaItem, *OtherBmpItem, *OtherJpgItem;
  QTimer* Timer1;  // auto update, 60000 ms

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BuildWidgets();
  void BuildMenu();
  void Wire();
  void LoadStartupMap();
  // Runs a map step; its error goes to the standard error box. True when it succeeded.
  bool Guarded(const std::function<void()>& step);
  void PictureReplaced();
  void ShowStatusText();
  void UpdateGrid();
  void AfterPlot(bool succeeded);
  void AutoUpdateChanged(bool on);
  void NoRefreshChanged(bool on);
  void TimerTick();

  IDialogs& Dialogs_;
  TSymbolSheet& Symbols_;
  TQImageMapPicture Picture_;
  TStationMap Map_;
  QPoint PanAnchor_;
  std::array<QLabel*, 4> Panels_{};
};

}  // namespace druv
