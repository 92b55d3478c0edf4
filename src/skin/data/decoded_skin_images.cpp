#include "skin/data/decoded_skin_images.h"

#include <algorithm>

#include "imaging/pixel_ops.h"

namespace tappomat {
namespace {

// The bits per pixel a BMP's header states; 0 when the bytes are no BMP.
int BmpBitsPerPixel(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 30 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
  return bytes[28] | (bytes[29] << 8);
}

// Why an image of that stated size is refused, in words a skin author can act on.
std::string TooLargeMessage(std::string_view name, std::string_view where, Size size,
                            std::int64_t left) {
  std::string message = "The skin image \"" + std::string(name) + "\" (" + std::string(where) +
                        ") is " + std::to_string(size.width) + " x " +
                        std::to_string(size.height) + " pixels";
  const std::int64_t pixels = std::int64_t{size.width} * size.height;
  if (size.width > kMaxImageSide || size.height > kMaxImageSide) {
    return message + "; an image may be at most " + std::to_string(kMaxImageSide) +
           " pixels wide and high";
  }
  if (pixels > kMaxImagePixels) {
    return message + "; an image may hold at most " + std::to_string(kMaxImagePixels) + " pixels";
  }
  if (left < kMaxSkinPixels) {
    message += ", more than the " + std::to_string(left) + " pixels the skin's other images leave";
  }
  return message + "; a skin may hold at most " + std::to_string(kMaxSkinPixels) + " pixels in all";
}

}  // namespace

std::optional<DecodedSkinImages::Decoded> DecodedSkinImages::Decode(std::string_view name,
                                                                    std::string_view where) {
  const std::optional<ImageBytes> bytes = m_source.Find(name);
  if (!bytes) return std::nullopt;
  const std::int64_t left = kMaxSkinPixels - m_used;
  DecodedImage decoded = DecodeImage(bytes->bytes, std::min(left, kMaxImagePixels));
  if (decoded.tooLarge) throw SkinTooLarge(TooLargeMessage(name, where, decoded.statedSize, left));
  if (!decoded.Ok() || decoded.bitmap.IsEmpty()) return std::nullopt;
  m_used += std::int64_t{decoded.bitmap.Width()} * decoded.bitmap.Height();
  const ImageFormat format = SniffImageFormat(bytes->bytes);
  return Decoded{std::move(decoded.bitmap), format,
                 format == ImageFormat::Bmp && BmpBitsPerPixel(bytes->bytes) == 32};
}

Bitmap32 DecodedSkinImages::OwnImage(std::string_view name, std::string_view where) {
  std::optional<Decoded> image = Decode(name, where);
  if (!image) return {};
  Bitmap32& bitmap = image->bitmap;
  if (image->format == ImageFormat::Png) {
    // A PNG keeps its alpha: white with alpha 0 becomes 0, and skins after 7.45 are
    // premultiplied (each channel times alpha, divided by 256).
    for (Pixel& p : bitmap.Pixels()) {
      if (p == 0x00FFFFFFu) p = 0;
    }
    if (m_version > 7.45) PremultiplyAlpha(bitmap);
  } else if (!image->bmp32) {
    Make32From24(bitmap);
  }
  return std::move(bitmap);
}

std::shared_ptr<Bitmap32> DecodedSkinImages::Image(std::string_view name, std::string_view where) {
  const std::string key(name);
  if (const auto known = m_images.find(key); known != m_images.end()) return known->second;
  Bitmap32 image = OwnImage(name, where);
  std::shared_ptr<Bitmap32> shared;
  if (!image.IsEmpty()) shared = std::make_shared<Bitmap32>(std::move(image));
  m_images.emplace(key, shared);
  return shared;
}

std::shared_ptr<Bitmap32> DecodedSkinImages::Texture(std::string_view name, std::string_view where) {
  const std::string key(name);
  if (const auto known = m_textures.find(key); known != m_textures.end()) return known->second;
  std::shared_ptr<Bitmap32> shared;
  if (std::optional<Decoded> image = Decode(name, where)) {
    Bitmap32& bitmap = image->bitmap;
    if (std::int64_t{bitmap.Width()} * bitmap.Height() <= kLargestTextureMask) Make32From24(bitmap);
    shared = std::make_shared<Bitmap32>(std::move(bitmap));
  }
  m_textures.emplace(key, shared);
  return shared;
}

}  // namespace tappomat
