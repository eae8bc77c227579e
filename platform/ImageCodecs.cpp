#include "platform/ImageCodecs.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include "common/Error.h"
#include "common/Files.h"

namespace druv {

TRasterImage::TRasterImage(int width, int height, std::uint8_t fill)
    : Width(width), Height(height), Rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, fill) {}

namespace {

// libjpeg reports fatal errors through a callback that must not return; it jumps back to the
// caller's setjmp. Nothing with a destructor lives between that setjmp and libjpeg.
struct TJpegErrorRec {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegErrorRec*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// A picture cut short would otherwise decode as grey below the cut; that is an error here.
void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegErrorExit(cinfo);
}

void InitJpegErrors(TJpegErrorRec& err) {
  jpeg_std_error(&err.Pub);
  err.Pub.error_exit = JpegErrorExit;
  err.Pub.emit_message = JpegEmitMessage;
  err.Message[0] = '\0';
}

bool TooLarge(std::uint64_t width, std::uint64_t height) {
  return width == 0 || height == 0 || width * height > MaxImagePixels;
}

void CmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int i = 0; i < 3; ++i) {
      unsigned c = inverted ? cmyk[i] : 255u - cmyk[i];
      rgb[i] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
  }
}

// Returns an empty text on success, else the reason.
std::string DecodeJpegInto(const std::uint8_t* data, size_t size, TRasterImage& out) {
  jpeg_decompress_struct cinfo;
  TJpegErrorRec err;
  InitJpegErrors(err);
  cinfo.err = &err.Pub;
  std::uint8_t* volatile cmykRow = nullptr;
  if (setjmp(err.Jump)) {
    std::free(cmykRow);
    jpeg_destroy_decompress(&cinfo);
    return err.Message[0] ? err.Message : "corrupt JPEG data";
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (TooLarge(cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    return "the picture is too large";
  }
  try {
    out = TRasterImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&cinfo);
    return "not enough memory for the picture";
  }
  if (cmyk) {
    cmykRow = static_cast<std::uint8_t*>(std::malloc(static_cast<size_t>(cinfo.output_width) * 4));
    if (!cmykRow) {
      jpeg_destroy_decompress(&cinfo);
      return "not enough memory for the picture";
    }
  }
  const size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint8_t* dst = out.Rgb.data() + stride * cinfo.output_scanline;
    JSAMPROW row = cmyk ? cmykRow : dst;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
    if (cmyk) CmykRowToRgb(cmykRow, dst, cinfo.output_width, cinfo.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(cmykRow);
  return {};
}

std::string EncodeJpegInto(const TRasterImage& image, int quality, unsigned char*& buffer, unsigned long& length) {
  jpeg_compress_struct cinfo;
  TJpegErrorRec err;
  InitJpegErrors(err);
  cinfo.err = &err.Pub;
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    return err.Message;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = static_cast<JDIMENSION>(image.Width);
  cinfo.image_height = static_cast<JDIMENSION>(image.Height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const size_t stride = static_cast<size_t>(image.Width) * 3;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Rgb.data() + stride * cinfo.next_scanline);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return {};
}

void CheckRaster(const TRasterImage& image) {
  if (image.Empty() || image.Rgb.size() != static_cast<size_t>(image.Width) * image.Height * 3)
    throw Error("There is no picture to save.");
}

// The file's bytes through decode; its errors name the file.
TRasterImage LoadFile(const std::string& path, TRasterImage (*decode)(const std::uint8_t*, size_t)) {
  const auto bytes = ReadFile(path);
  if (!bytes) throw Error("Cannot open file " + path + ".");
  try {
    return decode(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
  } catch (const Error& e) {
    throw Error(path + ": " + e.what());
  }
}

}  // namespace

TRasterImage DecodeJpeg(const std::uint8_t* data, size_t size) {
  if (size == 0) throw Error("Not a JPEG picture: the data is empty.");
  TRasterImage out;
  std::string why = DecodeJpegInto(data, size, out);
  if (!why.empty()) throw Error("Not a readable JPEG picture: " + why + ".");
  return out;
}

TRasterImage LoadJpegFile(const std::string& path) { return LoadFile(path, DecodeJpeg); }

std::vector<std::uint8_t> EncodeJpeg(const TRasterImage& image, int quality) {
  CheckRaster(image);
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  std::string why = EncodeJpegInto(image, quality, buffer, length);
  std::vector<std::uint8_t> out;
  if (why.empty() && buffer) out.assign(buffer, buffer + length);
  std::free(buffer);
  if (!why.empty()) throw Error("Cannot encode the JPEG picture: " + why + ".");
  return out;
}

void SaveJpegFile(const std::string& path, const TRasterImage& image, int quality) {
  std::vector<std::uint8_t> bytes = EncodeJpeg(image, quality);
  WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()));
}

TRasterImage DecodePng(const std::uint8_t* data, size_t size) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size))
    throw Error(std::string("Not a readable PNG picture: ") + png.message + ".");
  if (TooLarge(png.width, png.height)) {
    png_image_free(&png);
    throw Error("Not a readable PNG picture: the picture is too large.");
  }
  png.format = PNG_FORMAT_RGB;
  TRasterImage out;
  try {
    out = TRasterImage(static_cast<int>(png.width), static_cast<int>(png.height));
  } catch (const std::bad_alloc&) {
    png_image_free(&png);
    throw Error("Not a readable PNG picture: not enough memory for the picture.");
  }
  png_color white{255, 255, 255};
  if (!png_image_finish_read(&png, &white, out.Rgb.data(), 0, nullptr)) {
    std::string why = png.message;
    png_image_free(&png);
    throw Error("Not a readable PNG picture: " + why + ".");
  }
  return out;
}

TRasterImage LoadPngFile(const std::string& path) { return LoadFile(path, DecodePng); }

std::vector<std::uint8_t> EncodePng(const TRasterImage& image) {
  CheckRaster(image);
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.Width);
  png.height = static_cast<png_uint_32>(image.Height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t length = 0;
  if (!png_image_write_to_memory(&png, nullptr, &length, 0, image.Rgb.data(), 0, nullptr))
    throw Error(std::string("Cannot encode the PNG picture: ") + png.message + ".");
  std::vector<std::uint8_t> out(length);
  if (!png_image_write_to_memory(&png, out.data(), &length, 0, image.Rgb.data(), 0, nullptr))
    throw Error(std::string("Cannot encode the PNG picture: ") + png.message + ".");
  out.resize(length);
  return out;
}

}  // namespace druv
