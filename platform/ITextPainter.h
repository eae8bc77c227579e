#pragma once
// Text output on a raster picture (the attribution line of a tile map).
#include <cstdint>
#include <string>

#include "platform/ImageCodecs.h"

namespace druv {

struct TRgbRec {
  std::uint8_t R = 0, G = 0, B = 0;
};

class ITextPainter {
 public:
  virtual ~ITextPainter() = default;
  // One line of 8-bit text (code page 1252) in the default font face at pointSize, its top-left
  // corner at (left, top), clipped to the picture, with no background.
  virtual void DrawText(TRasterImage& image, int left, int top, const std::string& text, int pointSize,
                        TRgbRec colour) = 0;
};

}  // namespace druv
