#pragma once
// JPEG and PNG through libjpeg and libpng, on a plain RGB raster so the core can decode, compose and
// encode pictures without a window system. Every failure throws druv::Error with a text for the user.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace druv {

struct TRasterImage {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgb;  // 3 bytes a pixel, rows top down, no padding

  TRasterImage() = default;
  TRasterImage(int width, int height, std::uint8_t fill = 0);
  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint8_t* Pixel(int x, int y) { return Rgb.data() + (static_cast<size_t>(y) * Width + x) * 3; }
  const std::uint8_t* Pixel(int x, int y) const { return Rgb.data() + (static_cast<size_t>(y) * Width + x) * 3; }
};

// Pictures larger than this many pixels are refused rather than allocated (a corrupt header can
// claim anything).
constexpr std::uint64_t MaxImagePixels = 400'000'000;

TRasterImage DecodeJpeg(const std::uint8_t* data, size_t size);
TRasterImage LoadJpegFile(const std::string& path);
// quality 1..100
std::vector<std::uint8_t> EncodeJpeg(const TRasterImage& image, int quality);
// Written whole to a temporary file beside path, then renamed over it.
void SaveJpegFile(const std::string& path, const TRasterImage& image, int quality);

// Any PNG colour type and depth; transparency is composed onto white.
TRasterImage DecodePng(const std::uint8_t* data, size_t size);
TRasterImage LoadPngFile(const std::string& path);
// For tests and tools: an 8-bit RGB PNG.
std::vector<std::uint8_t> EncodePng(const TRasterImage& image);

}  // namespace druv
