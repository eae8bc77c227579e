#include "platform/qt/QtImages.h"

#include <cstring>

namespace druv {

QImage ToQImage(const TRasterImage& image) {
  if (image.Empty()) return {};
  QImage out(image.Width, image.Height, QImage::Format_RGB888);
  const size_t stride = static_cast<size_t>(image.Width) * 3;
  for (int y = 0; y < image.Height; ++y) std::memcpy(out.scanLine(y), image.Rgb.data() + stride * y, stride);
  return out;
}

TRasterImage FromQImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb = image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
  TRasterImage out(rgb.width(), rgb.height());
  const size_t stride = static_cast<size_t>(rgb.width()) * 3;
  for (int y = 0; y < rgb.height(); ++y) std::memcpy(out.Rgb.data() + stride * y, rgb.constScanLine(y), stride);
  return out;
}

}  // namespace druv
