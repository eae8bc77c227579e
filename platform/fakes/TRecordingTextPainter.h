#pragma once
#include <string>
#include <vector>

#include "platform/ITextPainter.h"

namespace druv {

// Records each text and marks its top-left pixel with the colour, so a test can see where it went.
class TRecordingTextPainter : public ITextPainter {
 public:
  struct TCall {
    int Left, Top, PointSize;
    std::string Text;
    TRgbRec Colour;
  };
  std::vector<TCall> Calls;
  void DrawText(TRasterImage& image, int left, int top, const std::string& text, int pointSize,
                TRgbRec colour) override {
    Calls.push_back({left, top, pointSize, text, colour});
    if (left >= 0 && top >= 0 && left < image.Width && top < image.Height) {
      std::uint8_t* p = image.Pixel(left, top);
      p[0] = colour.R;
      p[1] = colour.G;
      p[2] = colour.B;
    }
  }
};

}  // namespace druv
