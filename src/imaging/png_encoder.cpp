#include "imaging/png_encoder.h"

#include <png.h>

#include <csetjmp>

namespace tappomat {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports errors by longjmp to the setjmp in EncodeRows; warnings are dropped.
void OnWarning(png_structp, png_const_charp) {}

// Kept apart from EncodePng so that no object with a destructor lives across setjmp.
bool EncodeRows(const Bitmap32& bitmap, std::vector<std::uint8_t>& rowBuffer,
                std::vector<std::uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()),
               static_cast<png_uint_32>(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const Pixel* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      std::uint8_t* sample = rowBuffer.data() + static_cast<std::size_t>(x) * 4;
      sample[0] = PixelR(row[x]);
      sample[1] = PixelG(row[x]);
      sample[2] = PixelB(row[x]);
      sample[3] = PixelA(row[x]);
    }
    png_write_row(png, rowBuffer.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap32& bitmap) {
  if (bitmap.IsEmpty()) return {};
  std::vector<std::uint8_t> rowBuffer(static_cast<std::size_t>(bitmap.Width()) * 4);
  std::vector<std::uint8_t> out;
  if (!EncodeRows(bitmap, rowBuffer, out)) return {};
  return out;
}

}  // namespace tappomat
