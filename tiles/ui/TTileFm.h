#pragma once
// The stitch window: "Tools" > "Display Map" composes the downloaded tiles into the map picture,
// saves it as a JPEG in Maps and shows it. Created hidden at start-up and kept for the life of
// the process; closing it only hides it.
#include <QMainWindow>
#include <memory>
#include <string>

class QAction;
class QLabel;

namespace druv {

class IDialogs;
class ITextPainter;

class TTileFm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TTileFm(IDialogs& dialogs, QWidget* parent = nullptr);
  ~TTileFm() override;

  static constexpr const char* FirstCaption = "Click Tools>Displaly Map to show the created map";
  static constexpr const char* MapCaption = "OpenStreetMap for APRS";

  // What "Display Map" makes: set by the map maker when its tiles are in.
  void Prepare(const std::string& tilesFolder, const std::string& mapsFolder, const std::string& mapName, bool large);
  // Stitches, saves and shows the map; errors go to the error box.
  void DisplayMap();

  void SetTextPainter(ITextPainter& painter) { Painter_ = &painter; }
  QAction* DisplayMapAction() const { return DisplayMapAction_; }
  QLabel* Picture() const { return Picture_; }

 private:
  IDialogs& Dialogs_;
  std::unique_ptr<ITextPainter> OwnPainter_;
  ITextPainter* Painter_;
  QLabel* Picture_ = nullptr;
  QAction* DisplayMapAction_ = nullptr;
  std::string TilesFolder_, MapsFolder_, MapName_;
  bool Large_ = false;
};

}  // namespace druv
