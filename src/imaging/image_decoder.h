#pragma once
// The common front of the image decoders: the result every decoder returns, recognition of
// a format by its first bytes, and DecodeImage, which hands the bytes to the right decoder.
// Called by the skin loader for every image a skin carries. Skin images are outside data:
// damaged, truncated or oversized input gives an error, never a crash, and nothing is
// allocated for an image larger than IsAcceptableImageSize allows (bitmap32.h).
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "imaging/bitmap32.h"

namespace tappomat {

// Either a decoded bitmap (B, G, R, A, top-down) or the reason the bytes are not one.
struct DecodedImage {
  Bitmap32 bitmap;    // empty on failure
  std::string error;  // empty on success; otherwise a message fit for the user
  // Refused for its size alone: the header states more pixels than the caller allows, or
  // a side beyond kMaxImageSide. `statedSize` is the size the header gives.
  bool tooLarge = false;
  Size statedSize;

  bool Ok() const { return error.empty(); }

  static DecodedImage Success(Bitmap32 bitmap) { return {std::move(bitmap), {}}; }
  static DecodedImage Failure(std::string message) { return {{}, std::move(message)}; }
  static DecodedImage TooLarge(std::string message, Size stated) {
    return {{}, std::move(message), true, stated};
  }
};

// Whether a header's size may be decoded: both sides within kMaxImageSide and at most
// `maxPixels` pixels (never more than kMaxImagePixels).
bool FitsPixelLimit(std::int64_t width, std::int64_t height, std::int64_t maxPixels);

enum class ImageFormat { Unknown, Bmp, Png, Jpeg };

// The format named by the signature at the start of `data`: "BM", the eight PNG signature
// bytes, or the JPEG start of image FF D8 FF.
ImageFormat SniffImageFormat(std::span<const std::uint8_t> data);

// Decodes BMP, PNG or JPEG, chosen by signature (not by file name, which skins get wrong).
// An image whose header states more than `maxPixels` pixels is refused (tooLarge) before
// anything is allocated for it, so that a caller can hold several images to one budget.
DecodedImage DecodeImage(std::span<const std::uint8_t> data, std::int64_t maxPixels);
DecodedImage DecodeImage(std::span<const std::uint8_t> data);

}  // namespace tappomat
