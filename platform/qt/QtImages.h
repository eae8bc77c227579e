#pragma once
// The core's RGB raster and QImage, both ways, for painting and for the picture formats Qt reads
// (BMP and the rest).
#include <QImage>

#include "platform/ImageCodecs.h"

namespace druv {

QImage ToQImage(const TRasterImage& image);
// Any QImage; an alpha channel is ignored.
TRasterImage FromQImage(const QImage& image);

}  // namespace druv
