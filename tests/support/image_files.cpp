#include "support/image_files.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tappomat::test {

std::vector<std::uint8_t> EncodePng(const Bitmap32& bitmap) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_BGRA;  // Bitmap32's byte order
  png_alloc_size_t size = 0;
  const auto* pixels = bitmap.Pixels().data();
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr)) return {};
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr)) return {};
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> EncodeJpeg(const Bitmap32& bitmap, int quality) {
  return EncodeJpeg(bitmap, JpegOptions{quality});
}

std::vector<std::uint8_t> EncodeJpeg(const Bitmap32& bitmap, const JpegOptions& options) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  switch (options.colors) {
    case JpegColors::Rgb:
      cinfo.input_components = 3;
      cinfo.in_color_space = JCS_RGB;
      break;
    case JpegColors::Grey:
      cinfo.input_components = 1;
      cinfo.in_color_space = JCS_GRAYSCALE;
      break;
    case JpegColors::Cmyk:
      cinfo.input_components = 4;
      cinfo.in_color_space = JCS_CMYK;
      break;
  }
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const int components = cinfo.input_components;
  std::vector<unsigned char> row(static_cast<std::size_t>(bitmap.Width()) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const Pixel* src = bitmap.Row(static_cast<int>(cinfo.next_scanline));
    for (int x = 0; x < bitmap.Width(); ++x) {
      unsigned char* out = &row[static_cast<std::size_t>(x) * components];
      const std::uint8_t r = PixelR(src[x]);
      const std::uint8_t g = PixelG(src[x]);
      const std::uint8_t b = PixelB(src[x]);
      switch (options.colors) {
        case JpegColors::Rgb:
          out[0] = r;
          out[1] = g;
          out[2] = b;
          break;
        case JpegColors::Grey:
          out[0] = static_cast<unsigned char>((r + g + b) / 3);
          break;
        case JpegColors::Cmyk:
          out[0] = 255 - r;
          out[1] = 255 - g;
          out[2] = 255 - b;
          out[3] = 0;
          break;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

namespace {

void AppendToVector(png_structp png, png_bytep data, std::size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Everything that can longjmp; kept free of objects with destructors.
bool WritePngRows(png_structp png, png_infop info, const PngRows& image,
                  std::vector<std::uint8_t>* out, png_colorp palette, png_color_16* grey) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, AppendToVector, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), image.bitDepth, image.colorType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty())
    png_set_PLTE(png, info, palette, static_cast<int>(image.palette.size() / 3));
  if (!image.paletteAlpha.empty() || grey != nullptr) {
    png_set_tRNS(png, info, image.paletteAlpha.empty() ? nullptr : image.paletteAlpha.data(),
                 static_cast<int>(image.paletteAlpha.size()), grey);
  }
  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass) {
    for (const auto& row : image.rows) png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodePngRows(const PngRows& image) {
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < image.palette.size(); i += 3) {
    palette.push_back({image.palette[i], image.palette[i + 1], image.palette[i + 2]});
  }
  png_color_16 grey{};
  if (image.transparentGrey) grey.gray = *image.transparentGrey;
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const bool ok =
      WritePngRows(png, info, image, &out, palette.data(), image.transparentGrey ? &grey : nullptr);
  png_destroy_write_struct(&png, &info);
  return ok ? out : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> AssembleBmp(const BmpParts& parts) {
  const bool core = parts.headerSize == 12;
  const std::uint32_t masksAfterHeader =
      parts.headerSize == 40 ? static_cast<std::uint32_t>(parts.masks.size()) * 4 : 0;
  const std::uint32_t pixelOffset = parts.pixelOffset.value_or(
      14 + parts.headerSize + masksAfterHeader + static_cast<std::uint32_t>(parts.palette.size()));

  std::vector<std::uint8_t> out = {'B', 'M'};
  PutU32(out, 0);  // file size: readers ignore it
  PutU32(out, 0);  // reserved
  PutU32(out, pixelOffset);
  PutU32(out, parts.headerSize);
  if (core) {
    PutU16(out, static_cast<std::uint32_t>(parts.width) & 0xFFFF);
    PutU16(out, static_cast<std::uint32_t>(parts.height) & 0xFFFF);
    PutU16(out, 1);
    PutU16(out, parts.bitsPerPixel);
  } else {
    PutU32(out, static_cast<std::uint32_t>(parts.width));
    PutU32(out, static_cast<std::uint32_t>(parts.height));
    PutU16(out, 1);
    PutU16(out, parts.bitsPerPixel);
    PutU32(out, parts.compression);
    PutU32(out, static_cast<std::uint32_t>(parts.pixels.size()));
    PutU32(out, 2835);  // 72 dpi
    PutU32(out, 2835);
    PutU32(out, parts.colorsUsed);
    PutU32(out, 0);  // important colours
    for (std::uint32_t mask : parts.masks) PutU32(out, mask);
    // The rest of a larger header (unused masks, colour space, profile) stays zero.
    out.resize(std::max<std::size_t>(out.size(), 14 + parts.headerSize + masksAfterHeader), 0);
  }
  out.insert(out.end(), parts.palette.begin(), parts.palette.end());
  if (out.size() < pixelOffset) out.resize(pixelOffset, 0);
  out.insert(out.end(), parts.pixels.begin(), parts.pixels.end());
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

Bitmap32 ReadPngFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_BGRA;
  Bitmap32 bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, bitmap.Pixels().data(), 0, nullptr)) {
    png_image_free(&image);
    return {};
  }
  return bitmap;
}

}  // namespace tappomat::test
