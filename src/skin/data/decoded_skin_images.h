#pragma once
// The images of one skin load, decoded: each image the definition names is decoded once,
// however many keys name it, and the masks share its pixels. All the images of one skin
// together may hold at most kMaxSkinPixels pixels (each decoded image counted once, the
// master bitmap and the JPEG textures included); an image that would go beyond it is
// refused by its header's size, before its pixels are allocated, and fails the load with
// a message that names it. Used by the definition loader.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "imaging/bitmap32.h"
#include "imaging/image_decoder.h"
#include "skin/data/skin_image_source.h"
#include "skin/data/skin_too_large.h"

namespace tappomat {

// The most pixels the decoded images of one skin may hold together: 256 MiB of pixels.
constexpr std::int64_t kMaxSkinPixels = std::int64_t{64} * 1024 * 1024;
// Above this many pixels a JPEG texture stays a pattern instead of becoming a mask.
constexpr std::int64_t kLargestTextureMask = 899999;

class DecodedSkinImages {
 public:
  // `version` is the skin's VERSION, which decides how PNG images are prepared.
  DecodedSkinImages(const SkinImageSource& source, double version)
      : m_source(source), m_version(version) {}

  // A skin image as a 32-bit bitmap: a PNG with its alpha (white with alpha 0 made 0,
  // premultiplied after 7.45), anything else as decoded, made 32-bit unless it is a
  // 32-bit BMP. Null when the source has no image of that name or it does not decode.
  // `where` ("[SECTION] KEY") names the key in the message of a refused image. Throws
  // SkinTooLarge.
  std::shared_ptr<Bitmap32> Image(std::string_view name, std::string_view where);
  // The same, decoded for the caller alone (the master bitmap, which the tables own).
  Bitmap32 OwnImage(std::string_view name, std::string_view where);
  // A JPEG texture (or any image named as one), as decoded; one of at most
  // kLargestTextureMask pixels is made 32-bit, as the mask it becomes. Null as above.
  std::shared_ptr<Bitmap32> Texture(std::string_view name, std::string_view where);

  // The pixels decoded so far.
  std::int64_t PixelsUsed() const { return m_used; }

 private:
  struct Decoded {
    Bitmap32 bitmap;
    ImageFormat format = ImageFormat::Unknown;
    bool bmp32 = false;  // a 32-bit BMP, whose fourth byte is kept
  };
  // The image of that name as decoded, counted against the budget; nullopt when missing,
  // not decodable or empty.
  std::optional<Decoded> Decode(std::string_view name, std::string_view where);

  const SkinImageSource& m_source;
  double m_version;
  std::int64_t m_used = 0;
  std::unordered_map<std::string, std::shared_ptr<Bitmap32>> m_images;
  std::unordered_map<std::string, std::shared_ptr<Bitmap32>> m_textures;
};

}  // namespace tappomat
