#include "tiles/ui/TOpenMapFm.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "platform/IDialogs.h"
#include "platform/IHttpClient.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TQtHttpClient.h"
#include "tiles/ui/TTileFm.h"
#include "tiles/ui/TileServerSettings.h"

namespace druv {

namespace {

// Lets through only the typed characters of `allowed`; Backspace, Delete, arrows and shortcuts
// are no typed characters and pass.
class TKeyFilter : public QObject {
 public:
  TKeyFilter(const char* allowed, QObject* parent) : QObject(parent), Allowed_(allowed) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const QString text = key->text();
      if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier) &&
          !Allowed_.contains(text.at(0)))
        return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString Allowed_;
};

const char* const HelpLines =
    "1. Connect your PC to the Internet.\n"
    "2. Enter the latitude and the longitude of the map's centre in decimal degrees (negative West of the "
    "Prime Meridian and South of the Equator).\n"
    "3. Select the map scale with the arrows: 9 to 12. A larger number gives a smaller area with more "
    "detail.\n"
    "4. Decide on Normal or Large coverage. Normal = 9 map tiles; Large = 15 map tiles.\n"
    "5. Give the map a name.\n"
    "6. Select the format of the map's locator file: DRUVaprs, UI-View or Xastir.\n"
    "7. Press \"Get Map\". The tiles are downloaded, then the stitch window opens: choose Tools > Display Map.\n"
    "8. The map (JPEG) and its locator file are saved in the Maps folder; load the map in the station map "
    "with Map > Other JPG.\n"
    "Xastir needs the picture converted to the .xpm pixmap format with an outside image tool.\n"
    "Tiles come from the tile server named in mapmaker.ini beside the program (the public OpenStreetMap "
    "server unless changed); please make few maps, not bulk downloads.";

}  // namespace

TOpenMapFm::TOpenMapFm(IDialogs& dialogs, TTileFm& tileFm, QWidget* parent)
    : QMainWindow(parent),
      Dialogs_(dialogs),
      TileFm_(tileFm),
      OwnHttp_(std::make_unique<TQtHttpClient>(TileUserAgent())),
      Http_(OwnHttp_.get()) {
  setObjectName("TOpenMapFm");
  setWindowTitle(Caption);
  BuildMenu();

  auto* central = new QWidget;
  auto* grid = new QGridLayout(central);
  auto label = [](const char* text) { return new QLabel(text); };
  auto edit = [this](const char* name, const char* text, const char* hint, const char* keys) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setToolTip(hint);
    e->installEventFilter(new TKeyFilter(keys, e));
    return e;
  };

  LatEdit_ = edit("Edit1", "40.714", "Latitude: positive value North of Equator", "0123456789.-");
  LonEdit_ = edit("Edit2", "-74.006", "Longitude: Negative value West of Prime Merdian", "0123456789.-");
  grid->addWidget(label("Your Latitude"), 0, 0);
  grid->addWidget(LatEdit_, 0, 1);
  grid->addWidget(label("Your Longitude"), 1, 0);
  grid->addWidget(LonEdit_, 1, 1);

  ZoomEdit_ = edit("Edit3", "9", "", "0123456789");
  ZoomUp_ = new QToolButton;
  ZoomUp_->setArrowType(Qt::UpArrow);
  ZoomDown_ = new QToolButton;
  ZoomDown_->setArrowType(Qt::DownArrow);
  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(ZoomEdit_);
  zoomRow->addWidget(ZoomUp_);
  zoomRow->addWidget(ZoomDown_);
  grid->addWidget(label("Map Scale (9 - 12)"), 2, 0);
  grid->addLayout(zoomRow, 2, 1);
  connect(ZoomEdit_, &QLineEdit::textChanged, this, [this] { ZoomTextChanged(); });
  connect(ZoomUp_, &QToolButton::clicked, this, [this] { StepZoom(1); });
  connect(ZoomDown_, &QToolButton::clicked, this, [this] { StepZoom(-1); });

  LargeBox_ = new QCheckBox("Normal / Large Map Coverage");
  LargeBox_->setToolTip("Check to create a map of same scale covering a larger aerial extent.");
  grid->addWidget(LargeBox_, 3, 0, 1, 2);

  NameEdit_ = new QLineEdit("themapname");
  NameEdit_->setObjectName("Edit4");
  NameEdit_->setToolTip("Name for the map goes here");
  grid->addWidget(label("Name the Map:"), 4, 0);
  grid->addWidget(NameEdit_, 4, 1);

  auto* group = new QGroupBox("Map Coordinates");
  group->setToolTip("Create map helper file format for use with one of the following programs:");
  auto* groupLayout = new QVBoxLayout(group);
  const char* formatCaptions[3] = {"DRUVaprs (*.txt)", "UI-View (*.inf)", "Xaster (*.geo)"};
  for (int f = 0; f < 3; ++f) {
    Formats_[static_cast<size_t>(f)] = new QRadioButton(formatCaptions[f]);
    groupLayout->addWidget(Formats_[static_cast<size_t>(f)]);
  }
  Formats_[lfDruv]->setChecked(true);
  grid->addWidget(group, 5, 0, 1, 2);

  GetMapButton_ = new QPushButton("Get Map");
  GetMapButton_->setToolTip("Get the map from the OpenMap server on the Internet");
  grid->addWidget(GetMapButton_, 6, 0, 1, 2);
  connect(GetMapButton_, &QPushButton::clicked, this, [this] { GetMapClick(); });

  const char* cornerCaptions[8] = {"NW Map Latitude", "SNW Map Longitude", "SE Map Latitude", "SE Map Longitude",
                                   "NEMA Latitude",   "NEMA Longitude",    "NEMA Latitude",   "NEMA Longitude"};
  auto* corners = new QGridLayout;
  for (int i = 0; i < 8; ++i) {
    Corners_[static_cast<size_t>(i)] = new QLabel(cornerCaptions[i]);
    // North-west on the left, south-east on the right; three-decimal texts above, degree-minute below.
    corners->addWidget(Corners_[static_cast<size_t>(i)], i / 4 * 2 + i % 2, i % 4 / 2);
  }
  grid->addLayout(corners, 7, 0, 1, 2);

  auto* example = new QLabel;
  example->setToolTip("OpenStreetMap Example");
  const QPixmap picture(ToQString(AppPath("osm-example.png")));
  if (!picture.isNull()) example->setPixmap(picture.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  grid->addWidget(example, 0, 2, 5, 1, Qt::AlignTop);
  StyleBox_ = new QComboBox;
  grid->addWidget(StyleBox_, 5, 2, Qt::AlignTop);
  connect(StyleBox_, &QComboBox::textActivated, this, [](const QString& style) { QApplication::setStyle(style); });

  HelpText_ = new QPlainTextEdit(HelpLines);
  HelpText_->setReadOnly(true);
  HelpText_->setVisible(false);
  grid->addWidget(HelpText_, 8, 0, 1, 3);

  setCentralWidget(central);
  LoadLocation();
}

TOpenMapFm::~TOpenMapFm() = default;

void TOpenMapFm::BuildMenu() {
  QMenu* file = menuBar()->addMenu("File");
  connect(file->addAction("Exit"), &QAction::triggered, this, &QWidget::close);
  QMenu* help = menuBar()->addMenu("Help");
  connect(help->addAction("Help"), &QAction::triggered, this, [this] { HelpText_->setVisible(!HelpText_->isVisible()); });
  QMenu* about = menuBar()->addMenu("About");
  connect(about->addAction("About"), &QAction::triggered, this, [this] { AboutClick(); });
}

void TOpenMapFm::AboutClick() {
  Dialogs_.Information(std::string(Caption) +
                       ": maps for the DRUVaprs station from OpenStreetMap tiles. Free software under the GNU "
                       "General Public License, version 3 or later.\r\n"
                       "OpenStreetMap Tiles: \xA9 OpenStreetMap contributors.\r\n"
                       "Data is available under the Open Database License.");
}

void TOpenMapFm::LoadLocation() {
  const std::string path = AppPath(LocationFile);
  // The first run has none yet: it is written when the window closes.
  if (!FileExists(path)) return;
  const auto lines = ReadLines(path);
  if (!lines || lines->size() < 2) {
    Dialogs_.Error(path + ": the file needs two lines, the latitude and the longitude of the map centre.");
    return;
  }
  LatEdit_->setText(ToQString((*lines)[0]));
  LonEdit_->setText(ToQString((*lines)[1]));
}

void TOpenMapFm::SaveLocation() {
  try {
    WriteFileAtomic(AppPath(LocationFile),
                    JoinLinesCrLf({FromQString(LatEdit_->text()), FromQString(LonEdit_->text())}));
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

void TOpenMapFm::closeEvent(QCloseEvent* event) {
  SaveLocation();
  QMainWindow::closeEvent(event);
}

void TOpenMapFm::showEvent(QShowEvent* event) {
  FillStyles();
  QMainWindow::showEvent(event);
}

void TOpenMapFm::FillStyles() {
  QStringList styles = QStyleFactory::keys();
  styles.sort(Qt::CaseInsensitive);
  const QString active = QApplication::style()->name();
  const QSignalBlocker block(StyleBox_);
  StyleBox_->clear();
  StyleBox_->addItems(styles);
  for (int i = 0; i < styles.size(); ++i)
    if (styles[i].compare(active, Qt::CaseInsensitive) == 0) StyleBox_->setCurrentIndex(i);
}

void TOpenMapFm::ZoomTextChanged() {
  if (Clamping_) return;
  try {
    const QString clamped = ToQString(ClampZoomText(FromQString(ZoomEdit_->text())));
    if (clamped != ZoomEdit_->text()) {
      Clamping_ = true;
      ZoomEdit_->setText(clamped);
      Clamping_ = false;
    }
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

void TOpenMapFm::StepZoom(int by) {
  const auto zoom = ParseInt(FromQString(ZoomEdit_->text()));
  const long long next = std::clamp<long long>(zoom.value_or(9) + by, 9, 12);
  ZoomEdit_->setText(QString::number(next));
}

bool TOpenMapFm::LargeMap() const { return LargeBox_->isChecked(); }

TMapRequestRec TOpenMapFm::Request() const {
  TMapRequestRec r;
  r.LatitudeText = FromQString(LatEdit_->text());
  r.LongitudeText = FromQString(LonEdit_->text());
  r.ZoomText = FromQString(ZoomEdit_->text());
  r.Large = LargeMap();
  r.MapName = FromQString(NameEdit_->text());
  r.Format = Formats_[lfUiView]->isChecked() ? lfUiView : Formats_[lfXastir]->isChecked() ? lfXastir : lfDruv;
  return r;
}

void TOpenMapFm::ShowCorners(const TTileBlockRec& block) {
  const TCornerRec& nw = block.NorthWest;
  const TCornerRec& se = block.SouthEast;
  const std::string texts[8] = {nw.LatText, nw.LonText, se.LatText, se.LonText, nw.LatDm, nw.LonDm, se.LatDm, se.LonDm};
  for (size_t i = 0; i < 8; ++i) Corners_[i]->setText(ToQString(texts[i]));
}

void TOpenMapFm::GetMapClick() {
  if (Progress_) return;  // a download is running: the dialog is modal, this only guards
  try {
    const TMapRequestRec request = Request();
    const TTileServerSettingsRec server = LoadTileServerSettings(AppFolder());
    Http_->SetTimeoutMs(server.TimeoutMs);
    const TMapMaker maker(*Http_, AppFolder(), server.BaseUrl);
    const TTileBlockRec block = maker.Plan(request);
    ShowCorners(block);
    maker.WriteLocatorFile(block, request);
    if (request.Format == lfDruv) {
      // From now on the longitudes shown are the ones the locator file holds.
      Corners_[1]->setText(ToQString(WestPositiveLonText(block.NorthWest.Lon)));
      Corners_[3]->setText(ToQString(WestPositiveLonText(block.SouthEast.Lon)));
    }

    const int total = static_cast<int>(block.Tiles.size());
    QProgressDialog dialog("", "Cancel", 0, total, this);
    dialog.setWindowTitle("Get Map");
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(true);
    dialog.setAutoReset(false);
    connect(&dialog, &QProgressDialog::canceled, this, [this] { Http_->Abort(); });
    dialog.show();
    Progress_ = &dialog;
    struct TReset {
      QProgressDialog*& P;
      ~TReset() { P = nullptr; }
    } reset{Progress_};
    maker.FetchTiles(block, [&dialog](int n, int all) {
      if (dialog.wasCanceled()) throw TCancelledError();
      dialog.setLabelText("tile " + QString::number(n) + " of " + QString::number(all));
      dialog.setValue(n - 1);
    });
    dialog.setValue(total);

    TileFm_.Prepare(maker.TilesFolder(), maker.MapsFolder(), request.MapName, block.Large);
    TileFm_.show();
    TileFm_.raise();
    TileFm_.activateWindow();
    // One map per run: the stitch window works on the tiles now in TempTiles.
    GetMapButton_->setEnabled(false);
  } catch (const TCancelledError&) {
    // The user ended it; the tile that was on its way is gone, the button stays.
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

}  // namespace druv
