#pragma once
// The tile map maker: a centre, a zoom level and a name become a map for the station map. "Get
// Map" writes the locator file, fetches the tiles (a modal progress dialog with Cancel keeps the
// program alive meanwhile) and opens the stitch window. Created hidden at start-up and kept for
// the life of the process; closing it only hides it.
#include <QMainWindow>
#include <array>
#include <memory>

#include "tiles/LocatorFiles.h"
#include "tiles/TMapMaker.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace druv {

class IDialogs;
class IHttpClient;
class TTileFm;

class TOpenMapFm : public QMainWindow {
  Q_OBJECT
 public:
  TOpenMapFm(IDialogs& dialogs, TTileFm& tileFm, QWidget* parent = nullptr);
  ~TOpenMapFm() override;

  static constexpr const char* Caption = "DRUV_MapMaker-OSM 1.0";
  static constexpr const char* LocationFile = "maplocation.txt";

  // The Qt Network client unless replaced (tests).
  void SetHttpClient(IHttpClient& http) { Http_ = &http; }

  // "Get Map": the whole action; failures go to the error box.
  void GetMapClick();
  // The request as the inputs stand.
  TMapRequestRec Request() const;
  bool LargeMap() const;

  QLineEdit* LatitudeEdit() const { return LatEdit_; }
  QLineEdit* LongitudeEdit() const { return LonEdit_; }
  QLineEdit* ZoomEdit() const { return ZoomEdit_; }
  QToolButton* ZoomUp() const { return ZoomUp_; }
  QToolButton* ZoomDown() const { return ZoomDown_; }
  QCheckBox* LargeBox() const { return LargeBox_; }
  QLineEdit* NameEdit() const { return NameEdit_; }
  QRadioButton* FormatButton(TLocatorFormat f) const { return Formats_[f]; }
  QPushButton* GetMapButton() const { return GetMapButton_; }
  // NW latitude, NW longitude, SE latitude, SE longitude; then the four degree-minute texts.
  QLabel* CornerLabel(int i) const { return Corners_.at(static_cast<size_t>(i)); }
  QPlainTextEdit* HelpText() const { return HelpText_; }
  QComboBox* StyleBox() const { return StyleBox_; }
  // The dialog of a running "Get Map", else nullptr.
  QProgressDialog* Progress() const { return Progress_; }

  void AboutClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenu();
  void LoadLocation();
  void SaveLocation();
  void ZoomTextChanged();
  void StepZoom(int by);
  void ShowCorners(const TTileBlockRec& block);
  void FillStyles();

  IDialogs& Dialogs_;
  TTileFm& TileFm_;
  std::unique_ptr<IHttpClient> OwnHttp_;
  IHttpClient* Http_;
  QLineEdit *LatEdit_ = nullptr, *LonEdit_ = nullptr, *ZoomEdit_ = nullptr, *NameEdit_ = nullptr;
  QToolButton *ZoomUp_ = nullptr, *ZoomDown_ = nullptr;
  QCheckBox* LargeBox_ = nullptr;
  std::array<QRadioButton*, 3> Formats_{};
  QPushButton* GetMapButton_ = nullptr;
  std::array<QLabel*, 8> Corners_{};
  QPlainTextEdit* HelpText_ = nullptr;
  QComboBox* StyleBox_ = nullptr;
  QProgressDialog* Progress_ = nullptr;
  bool Clamping_ = false;
};

}  // namespace druv
