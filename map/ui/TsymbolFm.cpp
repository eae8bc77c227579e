#include "map/ui/TsymbolFm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include "common/Error.h"
#include "map/TSymbolSheet.h"
#include "platform/IDialogs.h"
#include "platform/qt/QtImages.h"

namespace druv {

namespace {
// The raster as a picture whose pixels of one colour are transparent.
QPixmap WithTransparent(const TRasterImage& raster, QRgb transparent) {
  QImage image = ToQImage(raster).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] | 0xFF000000u) == transparent) row[x] = 0;
  }
  return QPixmap::fromImage(image);
}
}  // namespace

TsymbolFm::TsymbolFm(TSymbolSheet& sheet, IDialogs& dialogs, QWidget* parent)
    : QWidget(parent), Sheet_(sheet), Dialogs_(dialogs) {
  setObjectName("TsymbolFm");
  setWindowTitle("symbolFm");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(400, 290);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(157, 157, 255));
  setPalette(pal);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(16, 16, 63, 63);
  Image1->setScaledContents(true);
  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setGeometry(16, 96, 357, 147);
  Image3 = new QLabel(this);
  Image3->setObjectName("Image3");
  Image3->setGeometry(96, 16, 63, 63);
  SpinEdit1 = new QSpinBox(this);
  SpinEdit1->setObjectName("SpinEdit1");
  SpinEdit1->setRange(TSymbolSheet::MinIndex, TSymbolSheet::MaxIndex);
  SpinEdit1->setValue(sheet.Index());
  SpinEdit1->setGeometry(184, 16, 64, 24);
  CheckBox1 = new QCheckBox("Checked (/) Unchecked (\\)", this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setChecked(sheet.PrimaryTable());
  CheckBox1->setGeometry(184, 48, 200, 24);
  Button4 = new QPushButton("Button4", this);
  Button4->setObjectName("Button4");
  Button4->setGeometry(16, 252, 75, 25);

  connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int v) { IndexChanged(v); });
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { Sheet_.SetPrimaryTable(on); });
  Sheet_.OnImageChanged = [this] { ScheduleSync(); };

  // The sheet picture is the one the switch chooses now, and stays so.
  try {
    Image2->setPixmap(WithTransparent(Sheet_.Sheet(CheckBox1->isChecked()), qRgb(255, 0, 255)));
    Sheet_.Start();
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
  Sync();
}

TsymbolFm::~TsymbolFm() { Sheet_.OnImageChanged = {}; }

void TsymbolFm::SetIndex(int index) { SpinEdit1->setValue(index); }

void TsymbolFm::IndexChanged(int value) {
  try {
    Sheet_.SetIndex(value);
  } catch (const Error& e) {
    Dialogs_.Error(e.what());
  }
  Sync();
}

void TsymbolFm::ScheduleSync() {
  if (SyncPending_) return;
  SyncPending_ = true;
  QTimer::singleShot(0, this, [this] { Sync(); });
}

void TsymbolFm::Sync() {
  SyncPending_ = false;
  {
    const QSignalBlocker b1(SpinEdit1), b2(CheckBox1);
    SpinEdit1->setValue(Sheet_.Index());
    CheckBox1->setChecked(Sheet_.PrimaryTable());
  }
  Image1->setPixmap(WithTransparent(Sheet_.Image(), qRgb(255, 255, 255)));
}

}  // namespace druv
