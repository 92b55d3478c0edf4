#include "imaging/image_decoder.h"

#include <algorithm>
#include <array>

#include "imaging/bmp_decoder.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/png_decoder.h"

namespace tappomat {
namespace {

bool StartsWith(std::span<const std::uint8_t> data, std::span<const std::uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

}  // namespace

ImageFormat SniffImageFormat(std::span<const std::uint8_t> data) {
  static constexpr std::array<std::uint8_t, 2> kBmp = {'B', 'M'};
  static constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
  if (StartsWith(data, kBmp)) return ImageFormat::Bmp;
  if (StartsWith(data, kPng)) return ImageFormat::Png;
  if (StartsWith(data, kJpeg)) return ImageFormat::Jpeg;
  return ImageFormat::Unknown;
}

bool FitsPixelLimit(std::int64_t width, std::int64_t height, std::int64_t maxPixels) {
  return IsAcceptableImageSize(width, height) && width * height <= maxPixels;
}

DecodedImage DecodeImage(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  switch (SniffImageFormat(data)) {
    case ImageFormat::Bmp:
      return DecodeBmp(data, maxPixels);
    case ImageFormat::Png:
      return DecodePng(data, maxPixels);
    case ImageFormat::Jpeg:
      return DecodeJpeg(data, maxPixels);
    case ImageFormat::Unknown:
      break;
  }
  return DecodedImage::Failure("not a BMP, PNG or JPEG image");
}

DecodedImage DecodeImage(std::span<const std::uint8_t> data) {
  return DecodeImage(data, kMaxImagePixels);
}

}  // namespace tappomat
