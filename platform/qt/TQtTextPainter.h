#pragma once
// ITextPainter through QPainter, straight into the raster's own pixels. Needs a QGuiApplication
// (fonts); command-line tools create one on the offscreen platform.
#include "platform/ITextPainter.h"

namespace druv {

class TQtTextPainter : public ITextPainter {
 public:
  void DrawText(TRasterImage& image, int left, int top, const std::string& text, int pointSize,
                TRgbRec colour) override;
};

}  // namespace druv
