#include "gps/ui/TzelGPS.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/Files.h"
#include "gps/GpsFix.h"
#include "gps/GpsNmea.h"
#include "gps/GpsPort.h"
#include "platform/IDialogs.h"
#include "platform/ISerialPort.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {
QLabel* ValueLabel(const char* objectName, const char* accessibleName, const char* hint, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  label->setAccessibleName(accessibleName);
  if (hint) label->setToolTip(hint);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMinimumWidth(90);
  return label;
}
}  // namespace

TzelGPS::TzelGPS(ISerialPort& gpsPort, IDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), Port_(gpsPort), Dialogs_(dialogs), Framer_(GpsSentenceStart, GpsSentenceStop) {
  setObjectName("TzelGPS");
  setWindowTitle("zelGPS 1.00");
  BuildWidgets();
  BuildMenu();

  Framer_.OnFrame = [this](const std::string& s) { SentenceArrived(s); };
  Port_.SetReceiveHandler([this](char c) { Framer_.Feed(c); });
  const std::string ini = AppPath(GpsIniFileName);
  try {
    Port_.ApplySettings(GpsPortDefaults());
    if (FileExists(ini))
      Port_.LoadSettings(ini);
    else
      Port_.Open();
  } catch (const Error&) {
    // Most stations have no GPS: no box at every start-up. Showing the window reports it.
  }
  SyncStatusMarks();
}

TzelGPS::~TzelGPS() { Port_.SetReceiveHandler({}); }

void TzelGPS::BuildWidgets() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  Edit1 = new QLineEdit(central);
  Edit1->setObjectName("Edit1");
  Edit1->setAccessibleName("Last GPS sentence");
  Edit1->setReadOnly(true);

  LatitudeLabel = ValueLabel("LatitudeLabel", "Latitude", "Latitude (decimal)", central);
  LongitudeLabel = ValueLabel("LongitudeLabel", "Longitude", "Longitude (decimal)", central);
  TimeLabel = ValueLabel("TimeLabel", "UTC time", "UTC time", central);
  DateLabel = ValueLabel("DateLabel", "Date", nullptr, central);
  GridLabel = ValueLabel("GridLabel", "Grid locator", "Maidenhead Grid determined from the latitude / longitude", central);
  CountyLabel = new QLabel("County", central);
  CountyLabel->setObjectName("CountyLabel");
  StateLabel = new QLabel("State", central);
  StateLabel->setObjectName("StateLabel");

  Terminal1 = new QPlainTextEdit(central);
  Terminal1->setObjectName("Terminal1");
  Terminal1->setAccessibleName("Terminal");
  Terminal1->setEnabled(false);
  Terminal1->setMaximumHeight(80);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Latitude:", central), 0, 0);
  grid->addWidget(LatitudeLabel, 0, 1);
  grid->addWidget(new QLabel("Longitude:", central), 0, 2);
  grid->addWidget(LongitudeLabel, 0, 3);
  grid->addWidget(new QLabel("UTC:", central), 1, 0);
  grid->addWidget(TimeLabel, 1, 1);
  grid->addWidget(new QLabel("Date:", central), 1, 2);
  grid->addWidget(DateLabel, 1, 3);
  grid->addWidget(new QLabel("Grid:", central), 2, 0);
  grid->addWidget(GridLabel, 2, 1);
  grid->addWidget(CountyLabel, 3, 0, 1, 2);
  grid->addWidget(StateLabel, 3, 2, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Edit1);
  layout->addLayout(grid);
  layout->addWidget(Terminal1);
  resize(420, 240);
}

void TzelGPS::BuildMenu() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu("File");
  Exit1 = file->addAction("Exit");
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });

  QMenu* configure = bar->addMenu("Configure");
  SerialPortConfigure1 = configure->addAction("Serial Port Configure");
  connect(SerialPortConfigure1, &QAction::triggered, this, [this] { SerialPortConfigure1Click(); });

  QMenu* status = bar->addMenu("Status");
  Connected1 = status->addAction("Connected");
  NotConnected1 = status->addAction("Not Connected");
  Connected1->setCheckable(true);
  NotConnected1->setCheckable(true);
  connect(Connected1, &QAction::triggered, this, [this] { Connected1Click(); });
  connect(NotConnected1, &QAction::triggered, this, [this] { NotConnected1Click(); });
}

void TzelGPS::SentenceArrived(const std::string& sentence) {
  // Serial noise: a damaged position must not reach a beacon.
  if (NmeaChecksumMismatch(sentence)) return;
  Edit1->setText(ToQString(sentence));
  Edit1->setCursorPosition(0);  // the sentence's start, not its line end, in view
  TGpsSentenceRec r;
  try {
    r = DecodeGpsSentence(sentence);
  } catch (const Error& e) {
    ReportError(e.what());
    return;
  }
  ApplyGpsSentence(r);
  if (r.Position) {
    GridLabel->setText(ToQString(r.Position->Locator));
    if (ComposerPositionHook)
      ComposerPositionHook(ToQString(r.Position->ComposerLatitude), ToQString(r.Position->ComposerLongitude));
    LatitudeLabel->setText(ToQString(r.Position->LatitudeLabel));
    LongitudeLabel->setText(ToQString(r.Position->LongitudeLabel));
  }
  if (r.Time) {
    TimeLabel->setText(ToQString(r.Time->TimeLabel));
    DateLabel->setText(ToQString(r.Time->DateLabel));
  }
  // A void fix leaves the composer alone: the next beacon keeps the last good position.
  if (r.Void || !ComposeHook) return;
  try {
    ComposeHook();
  } catch (const Error& e) {
    ReportError(e.what());
  }
}

void TzelGPS::OpenPort() {
  try {
    Port_.Open();
  } catch (const Error& e) {
    ReportError(e.what());
  }
  SyncStatusMarks();
}

void TzelGPS::ClosePort() {
  Port_.Close();
  // Half a sentence from before must not be glued to the first bytes after a reopen.
  Framer_.Reset();
  SyncStatusMarks();
}

void TzelGPS::Exit1Click() {
  ClosePort();
  close();
}

void TzelGPS::SerialPortConfigure1Click() {
  try {
    if (Port_.ShowSetupDialog()) {
      Framer_.Reset();
      // Kept at once: the program may end without this window being closed again.
      StoreSettings();
    }
  } catch (const Error& e) {
    ReportError(e.what());
  }
  SyncStatusMarks();
}

void TzelGPS::Connected1Click() { OpenPort(); }

void TzelGPS::NotConnected1Click() { ClosePort(); }

void TzelGPS::FormShow() {
  ClosePort();
  OpenPort();
}

void TzelGPS::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // Only when the program shows the window, not when the window system restores it.
  if (!e->spontaneous()) FormShow();
}

void TzelGPS::closeEvent(QCloseEvent* e) {
  StoreSettings();
  QMainWindow::closeEvent(e);
}

void TzelGPS::StoreSettings() {
  try {
    Port_.StoreSettings(AppPath(GpsIniFileName));
  } catch (...) {
    // A settings file that cannot be written is not worth a box.
  }
}

void TzelGPS::SyncStatusMarks() {
  const bool open = Port_.IsOpen();
  Connected1->setChecked(open);
  NotConnected1->setChecked(!open);
}

void TzelGPS::ReportError(const std::string& text) {
  if (ErrorBoxPending_) return;
  ErrorBoxPending_ = true;
  QTimer::singleShot(0, this, [this, text] {
    Dialogs_.Error(text);
    ErrorBoxPending_ = false;
  });
}

}  // namespace druv
