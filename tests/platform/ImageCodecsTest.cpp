#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/Error.h"
#include "common/Files.h"

namespace druv {
namespace {

TRasterImage Gradient(int w, int h) {
  TRasterImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = img.Pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x * 255 / (w - 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / (h - 1));
      p[2] = 128;
    }
  return img;
}

double MeanAbsDiff(const TRasterImage& a, const TRasterImage& b) {
  double sum = 0;
  for (size_t i = 0; i < a.Rgb.size(); ++i) sum += std::abs(int(a.Rgb[i]) - int(b.Rgb[i]));
  return sum / double(a.Rgb.size());
}

std::string FixturePath(const char* name) { return std::string(DRUV_FIXTURES_DIR) + "/images/" + name; }

TEST(ImageCodecs, JpegRoundTripKeepsSizeAndColours) {
  TRasterImage src = Gradient(321, 123);  // odd sizes: no assumption of 8- or 16-pixel blocks
  std::vector<std::uint8_t> q90 = EncodeJpeg(src, 90), q10 = EncodeJpeg(src, 10);
  ASSERT_GT(q90.size(), 2u);
  EXPECT_EQ(q90[0], 0xFF);
  EXPECT_EQ(q90[1], 0xD8);
  EXPECT_LT(q10.size(), q90.size());
  TRasterImage back = DecodeJpeg(q90.data(), q90.size());
  ASSERT_EQ(back.Width, 321);
  ASSERT_EQ(back.Height, 123);
  EXPECT_LT(MeanAbsDiff(src, back), 2.0);
}

TEST(ImageCodecs, BrokenJpegIsAnErrorNotAGreyPicture) {
  std::vector<std::uint8_t> good = EncodeJpeg(Gradient(64, 64), 90);
  std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  const std::string garbage = "this is not a picture at all";
  EXPECT_THROW(DecodeJpeg(cut.data(), cut.size()), Error);
  EXPECT_THROW(DecodeJpeg(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()), Error);
  EXPECT_THROW(DecodeJpeg(good.data(), 0), Error);
  EXPECT_THROW(LoadJpegFile(FixturePath("no-such-file.jpg")), Error);
}

TEST(ImageCodecs, SaveJpegFileWritesWholeFileOrNothing) {
  const std::string dir = ::testing::TempDir() + "codecs-save/";
  std::filesystem::create_directories(dir);
  SaveJpegFile(dir + "map.jpg", Gradient(40, 30), 90);
  TRasterImage back = LoadJpegFile(dir + "map.jpg");
  EXPECT_EQ(back.Width, 40);
  EXPECT_FALSE(FileExists(dir + "map.jpg.tmp"));
  EXPECT_THROW(SaveJpegFile(dir + "missing-folder/map.jpg", Gradient(4, 4), 90), Error);
  EXPECT_THROW(SaveJpegFile(dir + "empty.jpg", TRasterImage(), 90), Error);
  EXPECT_FALSE(FileExists(dir + "empty.jpg"));
}

TEST(ImageCodecs, PngRoundTripIsExact) {
  TRasterImage src = Gradient(77, 33);
  std::vector<std::uint8_t> png = EncodePng(src);
  TRasterImage back = DecodePng(png.data(), png.size());
  EXPECT_EQ(back.Width, 77);
  EXPECT_EQ(back.Height, 33);
  EXPECT_EQ(back.Rgb, src.Rgb);
}

TEST(ImageCodecs, PalettePngTileDecodes) {
  TRasterImage tile = LoadPngFile(FixturePath("ne-z0.png"));
  ASSERT_EQ(tile.Width, 256);
  ASSERT_EQ(tile.Height, 256);
  // Mid Pacific is ocean (#aacbe2).
  const std::uint8_t* p = tile.Pixel(10, 128);
  EXPECT_EQ(p[0], 0xAA);
  EXPECT_EQ(p[1], 0xCB);
  EXPECT_EQ(p[2], 0xE2);
}

TEST(ImageCodecs, PngTransparencyComposesOntoWhite) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = 2;
  png.height = 1;
  png.format = PNG_FORMAT_RGBA;
  const std::uint8_t rgba[8] = {10, 20, 30, 0, 10, 20, 30, 255};
  png_alloc_size_t len = 0;
  ASSERT_TRUE(png_image_write_to_memory(&png, nullptr, &len, 0, rgba, 0, nullptr));
  std::vector<std::uint8_t> bytes(len);
  ASSERT_TRUE(png_image_write_to_memory(&png, bytes.data(), &len, 0, rgba, 0, nullptr));
  TRasterImage img = DecodePng(bytes.data(), len);
  EXPECT_EQ(std::vector<std::uint8_t>(img.Rgb.begin(), img.Rgb.end()),
            (std::vector<std::uint8_t>{255, 255, 255, 10, 20, 30}));
}

TEST(ImageCodecs, BrokenPngIsAnError) {
  auto file = ReadFile(FixturePath("ne-z0.png"));
  ASSERT_TRUE(file);
  const auto* data = reinterpret_cast<const std::uint8_t*>(file->data());
  EXPECT_THROW(DecodePng(data, file->size() / 2), Error);  // truncated body
  EXPECT_THROW(DecodePng(data, 8), Error);                 // signature only
  std::vector<std::uint8_t> html(data, data + file->size());
  std::memcpy(html.data(), "<html>", 6);
  EXPECT_THROW(DecodePng(html.data(), html.size()), Error);
  // A header claiming 100000 x 100000 pixels is refused before anything that size is allocated.
  std::vector<std::uint8_t> huge(data, data + file->size());
  const std::uint8_t dims[8] = {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0};
  std::memcpy(huge.data() + 16, dims, 8);
  try {
    DecodePng(huge.data(), huge.size());
    ADD_FAILURE() << "a huge picture decoded";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("PNG"), std::string::npos);
  }
}

}  // namespace
}  // namespace druv
