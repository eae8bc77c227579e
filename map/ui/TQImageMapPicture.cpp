#include "map/ui/TQImageMapPicture.h"

#include <QGlyphRun>
#include <cmath>

#include "common/Error.h"
#include "common/Text.h"
#include "map/MapPicture.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtText.h"

namespace druv {

namespace {

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

TQImageMapPicture::TQImageMapPicture() : Font_(LabelFont()), Metrics_(Font_), RawFont_(QRawFont::fromFont(Font_)) {
  Run_.setRawFont(RawFont_);
}

const TQImageMapPicture::TGlyphRec& TQImageMapPicture::Glyph(unsigned char c) {
  TGlyphRec& g = Glyphs_[c];
  if (!g.Known) {
    const QList<quint32> glyphs = RawFont_.glyphIndexesForString(QString(QChar(Cp1252ToCodePoint(c))));
    if (!glyphs.isEmpty()) {
      g.Glyph = glyphs[0];
      const QList<QPointF> advances = RawFont_.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
      g.Advance = advances.isEmpty() ? 0 : advances[0].x();
    }
    g.Known = true;
  }
  return g;
}

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
  RunGlyphs_.clear();
  RunPositions_.clear();
  qreal x = 0;
  for (unsigned char c : text) {
    const TGlyphRec& g = Glyph(c);
    RunGlyphs_.push_back(g.Glyph);
    RunPositions_.push_back(QPointF(x, Metrics_.ascent()));
    x += g.Advance;
  }
  const QRect box(left, top, static_cast<int>(std::ceil(x)), Metrics_.height());
  if (!box.intersects(Image_.rect())) return;
  static const QColor blue(0, 0, 255), white(Qt::white), black(Qt::black);
  if (!Painter_) {
    Painter_ = std::make_unique<QPainter>(&Image_);
    PenOther_ = !otherStyle;
  }
  Painter_->fillRect(box, otherStyle ? blue : white);
  if (PenOther_ != otherStyle) {
    Painter_->setPen(otherStyle ? white : black);
    PenOther_ = otherStyle;
  }
  Run_.setGlyphIndexes(RunGlyphs_);
  Run_.setPositions(RunPositions_);
  Painter_->drawGlyphRun(QPointF(left, top), Run_);
}

void TQImageMapPicture::DrawSymbol(int left, int top, const TRasterImage& symbol) {
  // Written straight into the picture's pixels (the painter, when open, draws into the same
  // buffer): every pixel but pure white, clipped to the picture.
  const int x0 = std::max(0, -left), x1 = std::min(symbol.Width, Image_.width() - left);
  const int y0 = std::max(0, -top), y1 = std::min(symbol.Height, Image_.height() - top);
  if (x0 >= x1 || y0 >= y1) return;
  uchar* bits = Image_.bits();
  const qsizetype stride = Image_.bytesPerLine();
  for (int y = y0; y < y1; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + stride * (top + y));
    const std::uint8_t* p = symbol.Pixel(x0, y);
    for (int x = x0; x < x1; ++x, p += 3)
      if ((p[0] & p[1] & p[2]) != 0xFF) row[left + x] = qRgb(p[0], p[1], p[2]);
  }
}

void TQImageMapPicture::EndDrawing() { Painter_.reset(); }

}  // namespace druv
