#include "map/ui/TAprsMapFm2.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include "common/Files.h"
#include "common/Numbers.h"
#include "map/LocatorFile.h"
#include "map/PointerReadout.h"
#include "map/SymbolIndex.h"
#include "map/ui/TMapImageView.h"
#include "map/ui/TsymbolFm.h"
#include "parser/APRSParser.h"
#include "platform/IDialogs.h"
#include "platform/qt/QtText.h"
#include "stations/TStationTable.h"

namespace druv {

namespace {

constexpr int AutoUpdateMs = 60000;

// "BMP maps|*.bmp" as Qt writes a filter: "BMP maps (*.bmp)".
QString QtFilter(const std::string& filter) {
  const size_t bar = filter.find('|');
  QString patterns = ToQString(filter.substr(bar + 1));
  patterns.replace(u';', u' ');
  return ToQString(filter.substr(0, bar)) + " (" + patterns + ")";
}

std::optional<std::string> QtFileDialog(QWidget* parent, const TFileDialogRec& r, bool save) {
  QFileDialog d(parent, ToQString(r.Title), ToQString(r.Folder), QtFilter(r.Filter));
  if (save)
    d.setAcceptMode(QFileDialog::AcceptSave);
  else
    d.setFileMode(QFileDialog::ExistingFile);
  d.setDefaultSuffix(ToQString(r.DefaultExtension));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(d.selectedFiles().first());
}

QPushButton* Button(const char* caption, const char* hint, QRect at, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  if (hint) b->setToolTip(hint);
  b->setGeometry(at);
  return b;
}

QCheckBox* Check(const char* caption, const char* hint, bool checked, QRect at, QWidget* parent) {
  auto* c = new QCheckBox(caption, parent);
  c->setToolTip(hint);
  c->setChecked(checked);
  c->setGeometry(at);
  return c;
}

QLabel* Label(const char* text, QRect at, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(at);
  return l;
}

const TStationTable& NoStations() {
  static const TStationTable empty;
  return empty;
}

}  // namespace

TAprsMapFm2::TAprsMapFm2(TSymbolSheet& symbols, IDialogs& dialogs, const QString& versionText, QWidget* parent)
    : QMainWindow(parent), Dialogs_(dialogs), Symbols_(symbols), Map_(Picture_, symbols, AppPath("Maps/")) {
  setObjectName("TAprsMapFm2");
  setWindowTitle("DRUVaprs");
  BuildWidgets();
  BuildMenu();
  Wire();
  ChooseFileToOpen = [this](const TFileDialogRec& r) { return QtFileDialog(this, r, false); };
  ChooseFileToSave = [this](const TFileDialogRec& r) { return QtFileDialog(this, r, true); };
  // Window creation: version text, the custom map.
  Panels_[0]->setText(versionText);
  LoadStartupMap();
  move(141, 8);
}

TAprsMapFm2::~TAprsMapFm2() { Picture_.OnChanged = {}; }

void TAprsMapFm2::BuildWidgets() {
  auto* central = new QWidget(this);
  central->setFixedSize(788, 548);
  setCentralWidget(central);

  ScrollBox1 = new QScrollArea(central);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setGeometry(8, 0, 779, 478);
  ScrollBox1->setWidgetResizable(false);
  Image1 = new TMapImageView(Picture_);
  ScrollBox1->setWidget(Image1);
  Picture_.OnChanged = [this] { PictureReplaced(); };

  RefreshMapButton = Button("Refresh Map", "Update the APRS station symbols", {8, 484, 100, 25}, central);
  RefreshTrailsButton = Button("Refresh Map..T", "Update the map + trails", {8, 484, 100, 25}, central);
  RefreshTrailsButton->hide();
  WxOnlyButton = Button("Only WX Stns", "Show only weather stations", {112, 484, 100, 25}, central);
  CenterButton = Button("Center", "Center the map", {216, 484, 80, 25}, central);
  CloseMapButton = Button("Close Map", nullptr, {300, 484, 80, 25}, central);

  AutoUpdate = Check("Auto Update", "Update map automatically (actual QTH)", false, {392, 480, 110, 20}, central);
  NoRefresh = Check("No Refresh", "Do not refresh the map automaticly", true, {392, 500, 110, 20}, central);
  StrategicCall = Check("Strategic Call", "Show/Hide Strategic Callsign", true, {504, 480, 120, 20}, central);
  NormalOther = Check("Normal/Other", "Show strategic callsign normal/enhanced", false, {504, 500, 120, 20}, central);
  QthNowTrails = Check("QTH now/trails", "QTH now - unchecked; show trails - checked", false, {628, 480, 150, 20}, central);
  Panning = Check("Panning ?", "Allow panning with left mouse down", false, {628, 500, 150, 20}, central);

  GridLabel = Label("MH Grid", {8, 514, 90, 16}, central);
  QFont bold = GridLabel->font();
  bold.setBold(true);
  GridLabel->setFont(bold);
  RightClickLabel = Label("Right-click object to view station information", {112, 514, 300, 16}, central);
  PressRefreshLabel = Label("Press Refresh Map ", {8, 530, 150, 16}, central);
  PressRefreshLabel->setFont(bold);
  PressRefreshLabel->setStyleSheet("color: green;");
  FocusLabel = Label("If mouse loses map focus, recover with a right mouse click on the map.", {232, 530, 550, 16}, central);
  LatitudeReadout = Label("latitude", {420, 514, 80, 16}, central);
  LatitudeReadout->hide();
  LongitudeReadout = Label("longitude", {504, 514, 80, 16}, central);
  LongitudeReadout->hide();

  const int widths[4] = {100, 250, 250, 50};
  for (size_t i = 0; i < Panels_.size(); ++i) {
    Panels_[i] = new QLabel(this);
    Panels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
    Panels_[i]->setFixedWidth(widths[i]);
    statusBar()->addWidget(Panels_[i]);
  }
  Panels_[2]->setText("Right-click an icon on map to see station details");
  statusBar()->setSizeGripEnabled(false);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(AutoUpdateMs);
  // A border that cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TAprsMapFm2::BuildMenu() {
  QMenu* file = menuBar()->addMenu("File");
  SaveMapItem = file->addAction("Save Map with Station Icons");
  ExitItem = file->addAction("EXIT");
  QMenu* map = menuBar()->addMenu("Map");
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  auto item = [&](const char* caption) {
    QAction* a = map->addAction(caption);
    a->setCheckable(true);
    group->addAction(a);
    return a;
  };
  CustomItem = item("Custom");
  UniversalItem = item("Universal");
  UsaItem = item("USA");
  OtherBmpItem = item("Other BMP");
  OtherJpgItem = item("Other JPG");
  CustomItem->setChecked(true);
}

void TAprsMapFm2::Wire() {
  connect(RefreshMapButton, &QPushButton::clicked, this, [this] { RefreshMapClick(); });
  connect(RefreshTrailsButton, &QPushButton::clicked, this, [this] { RefreshTrailsClick(); });
  connect(WxOnlyButton, &QPushButton::clicked, this, [this] { PlotWeatherOnlyClick(); });
  connect(CenterButton, &QPushButton::clicked, this, [this] { CenterClick(); });
  connect(CloseMapButton, &QPushButton::clicked, this, [this] { CloseMapClick(); });
  connect(QthNowTrails, &QCheckBox::toggled, this, [this](bool trails) {
    RefreshMapButton->setVisible(!trails);
    RefreshTrailsButton->setVisible(trails);
  });
  connect(Panning, &QCheckBox::toggled, this,
          [this](bool on) { Image1->setCursor(on ? Qt::PointingHandCursor : Qt::CrossCursor); });
  connect(AutoUpdate, &QCheckBox::toggled, this, [this](bool on) { SetAutoUpdate(on); });
  connect(NoRefresh, &QCheckBox::toggled, this, [this](bool on) { SetAutoUpdate(!on); });
  connect(Timer1, &QTimer::timeout, this, [this] { TimerTick(); });

  connect(SaveMapItem, &QAction::triggered, this, [this] { SaveMapClick(); });
  connect(ExitItem, &QAction::triggered, this, [this] { close(); });
  connect(CustomItem, &QAction::triggered, this, [this] { SelectBuiltInMap("map", CustomItem); });
  connect(UniversalItem, &QAction::triggered, this, [this] { SelectBuiltInMap("universal", UniversalItem); });
  connect(UsaItem, &QAction::triggered, this, [this] { SelectBuiltInMap("usa", UsaItem); });
  connect(OtherBmpItem, &QAction::triggered, this, [this] { SelectOtherMap(false); });
  connect(OtherJpgItem, &QAction::triggered, this, [this] { SelectOtherMap(true); });

  Image1->OnPointerMove = [this](QPoint p, Qt::MouseButtons held) { PointerMoved(p, held); };
  Image1->OnPress = [this](QPoint p, Qt::MouseButton b) { MousePressed(p, b); };
  Image1->OnLeave = [this] { PointerLeft(); };
}

bool TAprsMapFm2::Guarded(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    Dialogs_.Error(e.what());
    return false;
  }
}

void TAprsMapFm2::LoadStartupMap() {
  if (Guarded([this] { Map_.LoadStartupMap(); })) ShowStatusText();
}

void TAprsMapFm2::PictureReplaced() { Image1->PictureChanged(); }

void TAprsMapFm2::ShowStatusText() { Panels_[1]->setText(ToQString(Map_.StatusText())); }

void TAprsMapFm2::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // Showing the map always plots current positions.
  RefreshMapClick();
}

// ---- plots

void TAprsMapFm2::AfterPlot(bool succeeded) {
  if (succeeded) PressRefreshLabel->hide();
  Image1->update();
  // The symbol window shows the last symbol drawn.
  if (SymbolWindow && !SymbolWindow->isVisible()) {
    SymbolWindow->setAttribute(Qt::WA_ShowWithoutActivating);
    SymbolWindow->show();
  }
}

void TAprsMapFm2::RefreshMapClick() {
  Map_.Options = {StrategicCall->isChecked(), NormalOther->isChecked()};
  const bool ok = Guarded([this] { Map_.RefreshMap(Stations ? *Stations : NoStations()); });
  if (ok) ShowStatusText();
  AfterPlot(ok);
}

void TAprsMapFm2::RefreshTrailsClick() {
  static const std::vector<std::string> none;
  Map_.Options = {StrategicCall->isChecked(), NormalOther->isChecked()};
  const bool ok = Guarded([this] { Map_.RefreshTrails(RawLines ? *RawLines : none); });
  if (ok) ShowStatusText();
  AfterPlot(ok);
}

void TAprsMapFm2::PlotWeatherOnlyClick() {
  static const std::vector<std::string> none;
  Map_.Options = {StrategicCall->isChecked(), NormalOther->isChecked()};
  AfterPlot(Guarded([this] { Map_.PlotWeatherOnly(RawLines ? *RawLines : none); }));
}

// ---- map menu

void TAprsMapFm2::SelectBuiltInMap(const std::string& base, QAction* item) {
  item->setChecked(true);
  if (Guarded([&] { Map_.SelectBuiltInMap(base); })) ShowStatusText();
  Image1->update();
}

void TAprsMapFm2::SelectOtherMap(bool jpeg) {
  (jpeg ? OtherJpgItem : OtherBmpItem)->setChecked(true);
  if (!QDir::setCurrent(ToQString(AppFolder()))) {
    Dialogs_.Error("Unable to set current dir.");
    return;
  }
  TFileDialogRec request{jpeg ? "Other JPG" : "Other BMP", Map_.MapsFolder(),
                         jpeg ? "JPEG maps|*.jpg;*.jpeg" : "BMP maps|*.bmp", jpeg ? "jpg" : "bmp"};
  const std::optional<std::string> file = ChooseFileToOpen ? ChooseFileToOpen(request) : std::nullopt;
  if (file && !file->empty()) {
    std::string name;
    const bool ok = Guarded([&] { name = Map_.OpenOtherMap(*file); });
    Image1->update();
    if (!ok) return;
    if (jpeg) Dialogs_.Information(LocatorSummary(Map_.MapFrame, name));
  }
  Map_.TakeOtherMapName();
  ShowStatusText();
  Image1->update();
}

// ---- pointer

void TAprsMapFm2::UpdateGrid() {
  GridLabel->setText(ToQString(
      ReadoutGrid(FromQString(LatitudeReadout->text()), FromQString(LongitudeReadout->text()))));
}

void TAprsMapFm2::PointerMoved(QPoint p, Qt::MouseButtons held) {
  LatitudeReadout->setText(ToQString(PointerReadout(YToLat(Map_.MapFrame, p.y()))));
  LongitudeReadout->setText(ToQString(PointerReadout(XToLon(Map_.MapFrame, p.x()))));
  if (!Guarded([this] { UpdateGrid(); })) return;
  if (!Panning->isChecked() || !(held & Qt::LeftButton)) return;
  // The picture's offset in its view is minus the scroll position; it moves only while it stays
  // strictly inside the limits (left edge below 0, right edge beyond the view's).
  QScrollBar* h = ScrollBox1->horizontalScrollBar();
  QScrollBar* v = ScrollBox1->verticalScrollBar();
  const int newLeft = -h->value() + p.x() - PanAnchor_.x();
  if (newLeft < 0 && newLeft > -h->maximum()) h->setValue(-newLeft);
  const int newTop = -v->value() + p.y() - PanAnchor_.y();
  if (newTop < 0 && newTop > -v->maximum()) v->setValue(-newTop);
}

void TAprsMapFm2::PointerLeft() {
  GridLabel->clear();
  LatitudeReadout->clear();
  LongitudeReadout->clear();
  setWindowTitle("DRUVaprs");
}

void TAprsMapFm2::MousePressed(QPoint p, Qt::MouseButton button) {
  PanAnchor_ = p;
  if (button != Qt::RightButton) return;
  if (Stations) Stations->SetIndexFieldNames("STN;GRID");
  if (HideStationInfo) HideStationInfo();
  const std::string lat = FromQString(LatitudeReadout->text());
  const std::string lon = InvertedSign(FromQString(LongitudeReadout->text()));
  if (!Guarded([this] { UpdateGrid(); })) return;
  const bool searched = Guarded([&] {
    if (NearestStationSearch) {
      NearestStationSearch(lat, lon);
      return;
    }
    // The search of the station log, run here when no main window offers it.
    const double la = StrToFloat(lat), lo = StrToFloat(lon);
    TStationTable empty;
    const TNearestStationRec found = NearestStation(Stations ? *Stations : empty, la, lo);
    SetSearchStatus(found.StatusText);
    GetAllInfo(found.Packet);
  });
  if (!searched) return;
  if (SetStationInfoWidth) SetStationInfoWidth(StationInfoIsWeather && StationInfoIsWeather() ? 622 : 420);
}

// ---- station look-up

void TAprsMapFm2::SetSearchStatus(const std::string& text) { Panels_[2]->setText(ToQString(text)); }

void TAprsMapFm2::GetAllInfo(const std::string& thepacket) {
  if (ShowPacketDetails && !ShowPacketDetails(thepacket)) return;
  const std::unique_ptr<TAprsPacket> packet = ParsePacket(thepacket, 0);
  if (!packet) return;
  if (SymbolWindow)
    SymbolWindow->SetIndex(InfoSymbolIndex(packet->SymbolCode));
  else
    Guarded([&] { Symbols_.SetIndex(InfoSymbolIndex(packet->SymbolCode)); });
}

// ---- the rest of the window

void TAprsMapFm2::CenterClick() {
  ScrollBox1->horizontalScrollBar()->setValue(Picture_.Width() / 4);
  ScrollBox1->verticalScrollBar()->setValue(Picture_.Height() / 4);
}

void TAprsMapFm2::CloseMapClick() {
  AutoUpdate->setChecked(false);
  hide();
}

void TAprsMapFm2::SaveMapClick() {
  const std::optional<std::string> file =
      ChooseFileToSave ? ChooseFileToSave({"Save Map with Station Icons", Map_.MapsFolder(), "bmp|*.bmp", "bmp"})
                       : std::nullopt;
  if (!file || file->empty()) return;
  QSaveFile out(ToQString(*file));
  if (!out.open(QIODevice::WriteOnly) || !Picture_.Image().save(&out, "BMP") || !out.commit())
    Dialogs_.Error("Cannot write file " + *file + ". " + FromQString(out.errorString()));
}

void TAprsMapFm2::SetAutoUpdate(bool on) {
  // The two boxes are each other's opposite; the timer runs while "Auto Update" is checked.
  const QSignalBlocker a(AutoUpdate), n(NoRefresh);
  AutoUpdate->setChecked(on);
  NoRefresh->setChecked(!on);
  if (on)
    Timer1->start();
  else
    Timer1->stop();
}

void TAprsMapFm2::TimerTick() {
  if (QthNowTrails->isChecked())
    RefreshTrailsClick();
  else
    RefreshMapClick();
}

}  // namespace druv
