#pragma once
// The locate tool: the bounding box to type into the OpenStreetMap web site's export form, the
// site itself in a browser pane, and the locator file for the exported picture. Created hidden
// at start-up and kept for the life of the process; closing it only hides it.
#include <QWidget>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace druv {

class IBrowser;
class IDialogs;
class TWebPane;

class TOpenStreetMapFm : public QWidget {
  Q_OBJECT
 public:
  explicit TOpenStreetMapFm(IDialogs& dialogs, QWidget* parent = nullptr);
  ~TOpenStreetMapFm() override;

  static constexpr const char* Caption = "OpenStreetMap Tool";
  static constexpr const char* SiteUrl = "https://www.openstreetmap.org/";
  static constexpr const char* WaitNote = "Please wait while OpenStreetMaps loads (may take over 30 seconds)";
  static constexpr const char* LoadedNote = "Now left-click on the Export Tab";

  // The system browser for the pane without an embedded browser; the desktop's unless replaced.
  void SetBrowser(IBrowser& browser) { Browser_ = &browser; }
  // The operator's position (the main window puts the qth.cfg texts here at start).
  void SetCentreTexts(const std::string& latitude, const std::string& longitude);

  void LinkClick();
  void CreateClick();
  void SaveClick();

  QLineEdit* LatitudeEdit() const { return LatEdit_; }
  QLineEdit* LongitudeEdit() const { return LonEdit_; }
  QSpinBox* SpanBox() const { return Span_; }
  QLineEdit* NorthEdit() const { return North_; }
  QLineEdit* SouthEdit() const { return South_; }
  QLineEdit* EastEdit() const { return East_; }
  QLineEdit* WestEdit() const { return West_; }
  QLineEdit* FileNameEdit() const { return FileName_; }
  QPushButton* LinkButton() const { return LinkButton_; }
  QPushButton* CreateButton() const { return CreateButton_; }
  QPushButton* SaveButton() const { return SaveButton_; }
  QLabel* Note() const { return Note_; }
  QPlainTextEdit* Instructions() const { return Instructions_; }
  TWebPane* Browser() const { return Pane_; }

 private:
  void PageLoaded();

  IDialogs& Dialogs_;
  std::unique_ptr<IBrowser> OwnBrowser_;
  IBrowser* Browser_;
  QLineEdit *LatEdit_ = nullptr, *LonEdit_ = nullptr, *North_ = nullptr, *South_ = nullptr, *East_ = nullptr,
            *West_ = nullptr, *FileName_ = nullptr;
  QSpinBox* Span_ = nullptr;
  QPushButton *LinkButton_ = nullptr, *CreateButton_ = nullptr, *SaveButton_ = nullptr;
  QLabel* Note_ = nullptr;
  QPlainTextEdit* Instructions_ = nullptr;
  TWebPane* Pane_ = nullptr;
  // The bound fields count longitudes positive West: the centre was typed without "-".
  bool BoundsWestPositive_ = false;
};

}  // namespace druv
