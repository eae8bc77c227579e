#include "platform/qt/TQtTextPainter.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include "platform/qt/QtText.h"

namespace druv {

void TQtTextPainter::DrawText(TRasterImage& image, int left, int top, const std::string& text, int pointSize,
                              TRgbRec colour) {
  if (image.Empty()) return;
  // A view of the raster: rows of 3-byte pixels without padding, as QImage's RGB888 lays them out.
  QImage view(image.Rgb.data(), image.Width, image.Height, static_cast<qsizetype>(image.Width) * 3,
              QImage::Format_RGB888);
  QPainter painter(&view);
  QFont font;
  font.setPointSize(pointSize);
  painter.setFont(font);
  painter.setPen(QColor(colour.R, colour.G, colour.B));
  painter.drawText(QRect(left, top, image.Width - left, image.Height - top), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   ToQString(text));
}

}  // namespace druv
