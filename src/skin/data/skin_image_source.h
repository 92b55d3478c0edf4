#pragma once
// Where the images a skin definition names come from: the entries of a skin package, or
// the files of a skin folder. The loader asks by the name the definition gives (already
// upper-cased where the loader's rules say so).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "skin/data/skin_package.h"

namespace tappomat {

// The bytes of one image: a view of bytes the source keeps (a package entry), or bytes read
// for the caller, which then owns them. Moving it keeps the view valid.
struct ImageBytes {
  std::vector<std::uint8_t> owned;
  std::span<const std::uint8_t> bytes;

  static ImageBytes View(std::span<const std::uint8_t> bytes) { return {{}, bytes}; }
  static ImageBytes Own(std::vector<std::uint8_t> owned) {
    ImageBytes image{std::move(owned), {}};
    image.bytes = image.owned;
    return image;
  }
};

class SkinImageSource {
 public:
  virtual ~SkinImageSource() = default;
  // The bytes of the image of that name; nullopt when there is none.
  virtual std::optional<ImageBytes> Find(std::string_view name) const = 0;
};

// A package's entries, found by their upper-cased stored names.
class PackedImageSource final : public SkinImageSource {
 public:
  explicit PackedImageSource(const TacSkinConvertor& package) : m_package(package) {}
  std::optional<ImageBytes> Find(std::string_view name) const override;

 private:
  const TacSkinConvertor& m_package;
};

// The files of a skin folder: the name is a file in the folder unless it holds ":" (then it
// is taken as written). Skins are written where file names ignore letter case, so a name
// that is not found as written is matched against the folder's files in any case.
class FolderImageSource final : public SkinImageSource {
 public:
  explicit FolderImageSource(std::filesystem::path folder) : m_folder(std::move(folder)) {}
  std::optional<ImageBytes> Find(std::string_view name) const override;

 private:
  std::filesystem::path m_folder;
};

// A file of `folder` named `name` in any letter case: the exact name first.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace tappomat
