#include "map/ui/TQImageMapPicture.h"

#include "common/Error.h"
#include "map/MapPicture.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {
constexpr QRgb White = 0xFFFFFFFF;

QImage ReadWithQt(const std::string& path) {
  QImage image(ToQString(path));
  if (image.isNull()) throw Error("Cannot load the picture " + path + ": the file is missing or not a picture.");
  return image;
}
}  // namespace

QImage LoadMapImage(const std::string& path) {
  QImage image = IsJpegPath(path) ? ToQImage(LoadMapPicture(path)) : ReadWithQt(path);
  return image.convertToFormat(QImage::Format_RGB32);
}

TRasterImage LoadRasterWithQt(const std::string& path) { return FromQImage(ReadWithQt(path)); }

QFont TQImageMapPicture::LabelFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

TQImageMapPicture::TQImageMapPicture() : Font_(LabelFont()), Metrics_(Font_) {}

TQImageMapPicture::~TQImageMapPicture() { EndDrawing(); }

void TQImageMapPicture::Load(const std::string& path) {
  QImage image = LoadMapImage(path);
  SetImage(std::move(image));
}

void TQImageMapPicture::SetImage(QImage image) {
  EndDrawing();
  Image_ = std::move(image);
  if (OnChanged) OnChanged();
}

void TQImageMapPicture::DrawLabel(int left, int top, const std::string& text, bool otherStyle) {
  const QString q = ToQString(text);
  const QRect box(left, top, Metrics_.horizontalAdvance(q), Metrics_.height());
  if (!box.intersects(Image_.rect())) return;
  if (!Painter_) {
    Painter_ = std::make_unique<QPainter>(&Image_);
    Painter_->setFont(Font_);
  }
  Painter_->fillRect(box, otherStyle ? QColor(0, 0, 255) : QColor(Qt::white));
  Painter_->setPen(otherStyle ? QColor(Qt::white) : QColor(Qt::black));
  Painter_->drawText(left, top + Metrics_.ascent(), q);
}

void TQImageMapPicture::DrawSymbol(int left, int top, const TRasterImage& symbol) {
  // Written straight into the picture's pixels (the painter, when open, draws into the same
  // buffer): every pixel but pure white, clipped to the picture.
  const int x0 = std::max(0, -left), x1 = std::min(symbol.Width, Image_.width() - left);
  const int y0 = std::max(0, -top), y1 = std::min(symbol.Height, Image_.height() - top);
  if (x0 >= x1 || y0 >= y1) return;
  for (int y = y0; y < y1; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(Image_.scanLine(top + y));
    const std::uint8_t* p = symbol.Pixel(x0, y);
    for (int x = x0; x < x1; ++x, p += 3) {
      const QRgb c = qRgb(p[0], p[1], p[2]);
      if (c != White) row[left + x] = c;
    }
  }
}

void TQImageMapPicture::EndDrawing() { Painter_.reset(); }

}  // namespace druv
