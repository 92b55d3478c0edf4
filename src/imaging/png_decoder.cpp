#include "imaging/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace tappomat {
namespace {

// Deflate never expands data more than 1032 times; a file shorter than its rows divided by
// this cannot hold them, and is refused before the bitmap is allocated.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// What libpng's callbacks share with the decoder: the input and the first error.
struct PngSource {
  std::span<const std::uint8_t> data;
  std::int64_t maxPixels = kMaxImagePixels;
  std::size_t position = 0;
  char error[128] = {};
  bool tooLarge = false;  // refused for the size that `stated` holds
  Size stated;
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->error, sizeof source->error, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}  // recoverable; nothing for the user

void ReadFromSource(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->data.size() - source->position < length) png_error(png, "truncated file");
  std::memcpy(out, source->data.data() + source->position, length);
  source->position += length;
}

// Owns libpng's read structures for one decode.
class PngReader {
 public:
  explicit PngReader(PngSource& source) {
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnPngError, OnPngWarning);
    if (m_png != nullptr) m_info = png_create_info_struct(m_png);
  }
  ~PngReader() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  bool Valid() const { return m_png != nullptr && m_info != nullptr; }
  png_structp Png() const { return m_png; }
  png_infop Info() const { return m_info; }

 private:
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
};

struct PngShape {
  Size size;
  int passes = 1;  // 7 for interlaced images
};

// libpng reports errors by longjmp to the setjmp below, so the two functions that call it
// hold nothing with a destructor; the bitmap is allocated by the caller in between.

// Reads the header, checks the size and sets up conversion to B, G, R, A bytes.
bool ReadHeader(png_structp png, png_infop info, PngSource& source, PngShape& shape) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &source, ReadFromSource);
  // libpng's own side limit stays at its default, so that the size check below sees the
  // stated size and can name it; nothing is allocated for the rows before that check.
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (!FitsPixelLimit(width, height, source.maxPixels)) {
    source.tooLarge = true;
    source.stated = {static_cast<int>(std::min<png_uint_32>(width, INT32_MAX)),
                     static_cast<int>(std::min<png_uint_32>(height, INT32_MAX))};
    png_error(png, "image too large");
  }
  const std::uint64_t rowBytes =
      (std::uint64_t{width} * png_get_channels(png, info) * bitDepth + 7) / 8;
  if (rowBytes * height / kMaxDeflateRatio > source.data.size())
    png_error(png, "truncated image data");

  const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTransparency) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparency)
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  shape.passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t{width} * 4)
    png_error(png, "unexpected row layout");

  shape.size = {static_cast<int>(width), static_cast<int>(height)};
  return true;
}

// Reads every pass of the rows into `bitmap`, then checks the rest of the file.
bool ReadRows(png_structp png, int passes, Bitmap32& bitmap) {
  if (setjmp(png_jmpbuf(png))) return false;
  // An interlaced image is read as several passes over the same rows; each pass adds its
  // pixels to what the earlier ones left in the row.
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < bitmap.Height(); ++y) {
      png_read_row(png, reinterpret_cast<png_bytep>(bitmap.Row(y)), nullptr);
    }
  }
  png_read_end(png, nullptr);
  return true;
}

DecodedImage Fail(const char* why) { return DecodedImage::Failure(std::string("PNG: ") + why); }

}  // namespace

DecodedImage DecodePng(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) return Fail("not a PNG file");
  PngSource source{data, maxPixels};
  PngReader reader(source);
  if (!reader.Valid()) return Fail("out of memory");

  PngShape shape;
  if (!ReadHeader(reader.Png(), reader.Info(), source, shape)) {
    if (source.tooLarge) return DecodedImage::TooLarge("PNG: image too large", source.stated);
    return Fail(source.error);
  }
  Bitmap32 bitmap(shape.size.width, shape.size.height);
  if (!ReadRows(reader.Png(), shape.passes, bitmap)) return Fail(source.error);
  return DecodedImage::Success(std::move(bitmap));
}

DecodedImage DecodePng(std::span<const std::uint8_t> data) { return DecodePng(data, kMaxImagePixels); }

}  // namespace tappomat
