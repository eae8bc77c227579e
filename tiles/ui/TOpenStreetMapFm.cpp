#include "tiles/ui/TOpenStreetMapFm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/Files.h"
#include "common/Numbers.h"
#include "common/Text.h"
#include "platform/IDialogs.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TQtBrowser.h"
#include "platform/qt/TWebPane.h"
#include "tiles/LocatorFiles.h"

namespace druv {

namespace {

const char* const DefaultLatitude = "33.5";
const char* const DefaultLongitude = "-97.25";

const char* const InstructionLines =
    "1. Press \"Open Street Map Link\" and wait while the web page loads (it may take over 30 seconds).\n"
    "2. Left-click the page's Export tab.\n"
    "3. Enter the latitude and the longitude of your location in the Locate Tool.\n"
    "4. Set the span in degrees: 1 degree gives a map of about 138 x 138 miles.\n"
    "5. Press \"Create\".\n"
    "6. On the export screen choose the Mapnik image.\n"
    "7. Enter the four bounds the Locate Tool shows: north, south, east and west.\n"
    "8. Set the format to JPEG.\n"
    "9. Set the scale to 950000.\n"
    "10. Download the image (this may take 30 seconds or more).\n"
    "11. Save the locator file with \"Save\".\n"
    "12. The image is saved as map.jpg, the locator file as map.txt.\n"
    "13. You may rename both: keep the same name for the picture and its locator file.\n"
    "14. Put both files in the \"Maps\" folder; the station map loads them with Map > Other JPG.";

double NumberOf(const QLineEdit* edit, const char* what) {
  const std::string text = FromQString(edit->text());
  const auto v = ParseDouble(text);
  if (!v) throw Error("\"" + text + "\" is not a valid " + what + ".");
  return *v;
}

}  // namespace

TOpenStreetMapFm::TOpenStreetMapFm(IDialogs& dialogs, QWidget* parent)
    : QWidget(parent), Dialogs_(dialogs), OwnBrowser_(std::make_unique<TQtBrowser>()), Browser_(OwnBrowser_.get()) {
  setObjectName("TOpenStreetMapFm");
  setWindowTitle(Caption);

  auto edit = [](const char* text, const char* hint) {
    auto* e = new QLineEdit(text);
    e->setToolTip(hint);
    return e;
  };
  LatEdit_ = edit(DefaultLatitude, "Latitude in decimal degrees");
  LonEdit_ = edit(DefaultLongitude, "Longitude in decimal degrees (-) West of Prime Meridian");
  North_ = edit("34.5", "Latitude in decimal degrees");
  South_ = edit("32.5", "Latitude in decimal degrees");
  East_ = edit("-96.25", "Latitude in decimal degrees");
  West_ = edit("-98.25", "Latitude in decimal degrees");
  FileName_ = edit("example", "Save with this name (.txt) is appended automatically");
  Span_ = new QSpinBox;
  Span_->setRange(1, 10);
  Span_->setValue(1);

  auto* locate = new QGroupBox("Locate Tool");
  auto* g = new QGridLayout(locate);
  g->addWidget(new QLabel("Latitude"), 0, 0);
  g->addWidget(LatEdit_, 0, 1);
  g->addWidget(new QLabel("Longitude"), 1, 0);
  g->addWidget(LonEdit_, 1, 1);
  // The bounds like a compass around the span.
  auto* compass = new QGridLayout;
  compass->addWidget(North_, 0, 1);
  compass->addWidget(West_, 1, 0);
  compass->addWidget(Span_, 1, 1);
  compass->addWidget(East_, 1, 2);
  compass->addWidget(South_, 2, 1);
  g->addLayout(compass, 2, 0, 1, 2);
  g->addWidget(new QLabel("Degrees N,S,W and E of your location"), 3, 0, 1, 2);
  g->addWidget(new QLabel("One deg. latitude is approx. 69 mi (111km)"), 4, 0, 1, 2);

  CreateButton_ = new QPushButton("Create");
  CreateButton_->setToolTip("Determine map bounds");
  SaveButton_ = new QPushButton("Save");
  SaveButton_->setToolTip("Save the location file");
  SaveButton_->setVisible(false);
  FileName_->setVisible(false);
  g->addWidget(CreateButton_, 5, 0);
  g->addWidget(SaveButton_, 5, 1);
  g->addWidget(FileName_, 6, 0, 1, 2);

  LinkButton_ = new QPushButton("Open Street Map Link");
  LinkButton_->setToolTip("Link to the map creator web page");
  Note_ = new QLabel(WaitNote);
  Note_->setVisible(false);
  Note_->setWordWrap(true);
  Instructions_ = new QPlainTextEdit(InstructionLines);
  Instructions_->setReadOnly(true);

  Pane_ = CreateWebPane([this](const QString& url) { Browser_->Open(FromQString(url)); });
  Pane_->SetDownloadFolder(ToQString(AppPath("Maps")));

  auto* left = new QVBoxLayout;
  left->addWidget(LinkButton_);
  left->addWidget(locate);
  left->addWidget(Note_);
  left->addWidget(Instructions_, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(Pane_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(new QLabel("This tool uses the Internet..you must be connected "));
  resize(Pane_->IsEmbedded() ? 1200 : 640, 720);

  connect(LinkButton_, &QPushButton::clicked, this, [this] { LinkClick(); });
  connect(CreateButton_, &QPushButton::clicked, this, [this] { CreateClick(); });
  connect(SaveButton_, &QPushButton::clicked, this, [this] { SaveClick(); });
  connect(Pane_, &TWebPane::PageLoaded, this, [this] { PageLoaded(); });
  connect(Pane_, &TWebPane::FocusGained, this, [this] { Note_->setVisible(false); });
}

TOpenStreetMapFm::~TOpenStreetMapFm() = default;

void TOpenStreetMapFm::SetCentreTexts(const std::string& latitude, const std::string& longitude) {
  LatEdit_->setText(ToQString(latitude));
  LonEdit_->setText(ToQString(longitude));
}

void TOpenStreetMapFm::LinkClick() {
  setCursor(Qt::WaitCursor);
  Note_->setText(WaitNote);
  Note_->setVisible(true);
  Pane_->OpenUrl(SiteUrl);
}

void TOpenStreetMapFm::PageLoaded() {
  Note_->setText(LoadedNote);
  unsetCursor();
}

void TOpenStreetMapFm::CreateClick() {
  try {
    const double span = Span_->value();
    const double lat = NumberOf(LatEdit_, "latitude");
    North_->setText(ToQString(FormatGeneral(lat + span)));
    South_->setText(ToQString(FormatGeneral(lat - span)));
    const double lon = NumberOf(LonEdit_, "longitude");
    // Typed without "-", the longitude counts degrees West.
    BoundsWestPositive_ = !StartsWith(FromQString(LonEdit_->text()), "-");
    East_->setText(ToQString(FormatGeneral(BoundsWestPositive_ ? lon - span : lon + span)));
    West_->setText(ToQString(FormatGeneral(BoundsWestPositive_ ? lon + span : lon - span)));
    Note_->setVisible(true);
    SaveButton_->setVisible(true);
    FileName_->setVisible(true);
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

void TOpenStreetMapFm::SaveClick() {
  try {
    const double west = NumberOf(West_, "west bound");
    const double east = NumberOf(East_, "east bound");
    const double south = NumberOf(South_, "south bound");
    const double north = NumberOf(North_, "north bound");
    const std::string name = FromQString(FileName_->text());
    CheckMapFileName(name);
    // Locator files count longitudes positive West; latitudes keep their sign.
    const double w = BoundsWestPositive_ ? west : -west, e = BoundsWestPositive_ ? east : -east;
    WriteFileAtomic(AppPath("Maps/" + name + ".txt"), LocateToolLocatorText(w, e, south, north, name + ".txt"));
    Dialogs_.Message("Map location datda saved to the maps folder as " + name + ".txt");
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
}

}  // namespace druv
