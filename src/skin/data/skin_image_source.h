#pragma once
// Where the images a skin definition names come from: the entries of a skin package, or
// the files of a skin folder. The loader asks by the name the definition gives (already
// upper-cased where the loader's rules say so). An image name is a plain file name of the
// skin (skin_file_name.h); a source finds nothing by any other name, and a folder refuses to
// read one, or a file that is a link leading out of the folder, by throwing SkinImageRefused.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
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

// Thrown when a skin folder is asked for a file it must not read; the message names the
// folder and says why.
class SkinImageRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SkinImageSource {
 public:
  virtual ~SkinImageSource() = default;
  // The bytes of the image of that name; nullopt when there is none.
  virtual std::optional<ImageBytes> Find(std::string_view name) const = 0;
  // Why the source will not give the image of that name ("the image name "/x" holds a
  // folder separator ..."); empty when it may be asked for. Loading checks every name the
  // definition gives with this first, so that the refusal can name the key.
  virtual std::string Refusal(std::string_view name) const;
};

// A package's entries, found by their upper-cased stored names; a name that is no plain
// file name finds nothing, whatever the entries are called.
class PackedImageSource final : public SkinImageSource {
 public:
  explicit PackedImageSource(const TacSkinConvertor& package) : m_package(package) {}
  std::optional<ImageBytes> Find(std::string_view name) const override;

 private:
  const TacSkinConvertor& m_package;
};

// The files of a skin folder. Skins are written where file names ignore letter case, so a
// name that is not found as written is matched against the folder's files in any case. A
// file may be a symbolic link to another file of the folder; one that leads out of it is
// refused (Find throws SkinImageRefused), as is a name that is no plain file name. A file
// that is not there is no error: the loader skips it.
class FolderImageSource final : public SkinImageSource {
 public:
  explicit FolderImageSource(std::filesystem::path folder) : m_folder(std::move(folder)) {}
  std::optional<ImageBytes> Find(std::string_view name) const override;
  std::string Refusal(std::string_view name) const override;

 private:
  // The file of that name as it lies on disk (links resolved), or nullopt; `refusal` says
  // why a name or file is refused.
  std::optional<std::filesystem::path> Locate(std::string_view name, std::string& refusal) const;

  std::filesystem::path m_folder;
};

// A file of `folder` named `name` in any letter case: the exact name first.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace tappomat
