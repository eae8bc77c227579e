#pragma once
// The map picture as a QImage: what the map window shows and saves, and what druv-replay writes.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <memory>

#include "map/IMapPicture.h"

namespace druv {

// A map image file as a picture to draw on (32-bit RGB): JPEG through libjpeg, every other format
// through QImage. Throws druv::Error.
QImage LoadMapImage(const std::string& path);
// A picture file as the core's RGB raster, read by QImage (the symbol sheets' BMP files).
TRasterImage LoadRasterWithQt(const std::string& path);

class TQImageMapPicture : public IMapPicture {
 public:
  TQImageMapPicture();
  ~TQImageMapPicture() override;

  void Load(const std::string& path) override;
  int Width() const override { return Image_.width(); }
  int Height() const override { return Image_.height(); }
  void DrawLabel(int left, int top, const std::string& text, bool otherStyle) override;
  void DrawSymbol(int left, int top, const TRasterImage& symbol) override;
  void EndDrawing() override;

  const QImage& Image() const { return Image_; }
  void SetImage(QImage image);
  // The call-sign font: the same face and size in the window and in druv-replay.
  static QFont LabelFont();

  // Called after the picture was replaced.
  std::function<void()> OnChanged;

 private:
  QImage Image_;
  std::unique_ptr<QPainter> Painter_;
  QFont Font_;
  QFontMetrics Metrics_;
};

}  // namespace druv
