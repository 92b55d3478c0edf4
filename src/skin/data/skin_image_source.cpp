#include "skin/data/skin_image_source.h"

#include "platform/posix/outside_file.h"
#include "skin/data/skin_file_name.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {
namespace {

std::string NameRefusal(std::string_view name) {
  const std::string fault = SkinFileNameFault(name);
  if (fault.empty()) return {};
  return "the image name \"" + std::string(name) + "\" is not a plain file name of the skin (it " +
         fault + ")";
}

}  // namespace

std::string SkinImageSource::Refusal(std::string_view name) const { return NameRefusal(name); }

std::optional<ImageBytes> PackedImageSource::Find(std::string_view name) const {
  if (!SkinFileNameFault(name).empty()) return std::nullopt;
  const TacImageItem* item = m_package.FindImage(name);
  if (item == nullptr) return std::nullopt;
  return ImageBytes::View(item->data);
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
  std::error_code error;
  const std::filesystem::path exact = folder / std::string(name);
  if (std::filesystem::is_regular_file(exact, error)) return exact;
  const std::string wanted = UpperAscii(name);
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (UpperAscii(entry.path().filename().string()) == wanted && entry.is_regular_file(error)) {
      return entry.path();
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> FolderImageSource::Locate(std::string_view name,
                                                               std::string& refusal) const {
  refusal = NameRefusal(name);
  if (!refusal.empty()) return std::nullopt;
  const std::optional<std::filesystem::path> path = FindFileIgnoringCase(m_folder, name);
  if (!path) return std::nullopt;
  if (!LiesInFolder(*path, m_folder)) {
    refusal = "the image file \"" + path->filename().string() +
              "\" is a symbolic link that leads out of the skin folder";
    return std::nullopt;
  }
  // The file as it lies on disk, which was found to be inside the folder.
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::canonical(*path, error);
  if (error) return std::nullopt;
  return resolved;
}

std::string FolderImageSource::Refusal(std::string_view name) const {
  std::string refusal;
  Locate(name, refusal);
  return refusal;
}

std::optional<ImageBytes> FolderImageSource::Find(std::string_view name) const {
  std::string refusal;
  const std::optional<std::filesystem::path> path = Locate(name, refusal);
  if (!refusal.empty()) throw SkinImageRefused(m_folder.string() + ": " + refusal);
  if (!path) return std::nullopt;
  OutsideFile file = ReadOutsideFile(*path, SkinPackageLimits::kMaxEntrySize);
  if (!file.Ok()) return std::nullopt;
  return ImageBytes::Own(std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end()));
}

}  // namespace tappomat
