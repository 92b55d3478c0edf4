#include "support/image_files.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
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
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(bitmap.Width()) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const Pixel* src = bitmap.Row(static_cast<int>(cinfo.next_scanline));
    for (int x = 0; x < bitmap.Width(); ++x) {
      row[x * 3] = PixelR(src[x]);
      row[x * 3 + 1] = PixelG(src[x]);
      row[x * 3 + 2] = PixelB(src[x]);
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

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

Bitmap32 ReadPngFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
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
