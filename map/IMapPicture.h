#pragma once
// The map picture on display, as the map core loads and draws it. Stations are drawn into the
// picture itself, so they stay until it is loaded again and are part of a saved map.
#include <string>

#include "platform/ImageCodecs.h"

namespace druv {

class IMapPicture {
 public:
  virtual ~IMapPicture() = default;
  // Replaces the picture with an image file (see LoadMapPicture). Throws druv::Error; the
  // previous picture stays then.
  virtual void Load(const std::string& path) = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // A call-sign label: the text box's top-left corner at (left, top), the box filled with the text
  // background; black on white, or white on blue (0, 0, 255) in the other style.
  virtual void DrawLabel(int left, int top, const std::string& text, bool otherStyle) = 0;
  // A 21 x 21 symbol image with its top-left corner at (left, top); its white pixels (255, 255, 255)
  // are transparent.
  virtual void DrawSymbol(int left, int top, const TRasterImage& symbol) = 0;
  // The end of a plot pass: anything held for drawing is released.
  virtual void EndDrawing() {}
};

}  // namespace druv
