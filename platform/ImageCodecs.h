#pragma once
// Placeholder for the shared image codecs header until it lands on main: the raster type only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace druv {

struct TRasterImage {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgb;  // 3 bytes a pixel, rows top down
};

TRasterImage DecodeJpeg(const std::uint8_t* data, size_t size);
TRasterImage LoadJpegFile(const std::string& path);
std::vector<std::uint8_t> EncodeJpeg(const TRasterImage& image, int quality);
void SaveJpegFile(const std::string& path, const TRasterImage& image, int quality);
TRasterImage DecodePng(const std::uint8_t* data, size_t size);
TRasterImage LoadPngFile(const std::string& path);

}  // namespace druv
