#include "tiles/ui/TTileFm.h"

#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScrollArea>

#include "common/Error.h"
#include "platform/IDialogs.h"
#include "platform/ImageCodecs.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/TQtTextPainter.h"
#include "tiles/TTileBlock.h"
#include "tiles/TileStitch.h"

namespace druv {

TTileFm::TTileFm(IDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      Dialogs_(dialogs),
      OwnPainter_(std::make_unique<TQtTextPainter>()),
      Painter_(OwnPainter_.get()) {
  setObjectName("TTileFm");
  setWindowTitle(FirstCaption);

  QMenu* file = menuBar()->addMenu("File");
  connect(file->addAction("Close"), &QAction::triggered, this, &QWidget::close);
  QMenu* tools = menuBar()->addMenu("Tools");
  DisplayMapAction_ = tools->addAction("Display Map");
  connect(DisplayMapAction_, &QAction::triggered, this, [this] { DisplayMap(); });

  Picture_ = new QLabel;
  Picture_->setObjectName("Image1");
  Picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture_->setFixedSize(TileMapWidthPx(false), TileMapHeightPx);
  auto* scroll = new QScrollArea;
  scroll->setWidget(Picture_);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(false);
  setCentralWidget(scroll);
  resize(TileMapWidthPx(false), TileMapHeightPx + menuBar()->sizeHint().height());
}

TTileFm::~TTileFm() = default;

void TTileFm::Prepare(const std::string& tilesFolder, const std::string& mapsFolder, const std::string& mapName,
                      bool large) {
  TilesFolder_ = tilesFolder;
  MapsFolder_ = mapsFolder;
  MapName_ = mapName;
  Large_ = large;
  setWindowTitle(FirstCaption);
}

void TTileFm::DisplayMap() {
  const int width = TileMapWidthPx(Large_), height = TileMapHeightPx;
  Picture_->setFixedSize(width, height);
  resize(width, height + menuBar()->sizeHint().height());
  try {
    if (MapName_.empty()) throw Error("There is no map to display yet: use \"Get Map\" in the map maker first.");
    const std::string path = SaveTileMap(TilesFolder_, MapsFolder_, MapName_, Large_, *Painter_);
    Dialogs_.Information(MapName_ + ".jpg was saved as a " + (Large_ ? "large" : "small") + " format map.");
    Picture_->setPixmap(QPixmap::fromImage(ToQImage(LoadJpegFile(path))));
    Picture_->raise();
    setWindowTitle(MapCaption);
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

}  // namespace druv
