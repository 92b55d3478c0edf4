#include "skin/data/skin_image_source.h"

#include "platform/posix/outside_file.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {

std::optional<ImageBytes> PackedImageSource::Find(std::string_view name) const {
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

std::optional<ImageBytes> FolderImageSource::Find(std::string_view name) const {
  std::optional<std::filesystem::path> path;
  if (name.find(':') != std::string_view::npos) {
    path = std::filesystem::path(std::string(name));
  } else {
    path = FindFileIgnoringCase(m_folder, name);
  }
  if (!path) return std::nullopt;
  OutsideFile file = ReadOutsideFile(*path, SkinPackageLimits::kMaxEntrySize);
  if (!file.Ok()) return std::nullopt;
  return ImageBytes::Own(std::vector<std::uint8_t>(file.bytes.begin(), file.bytes.end()));
}

}  // namespace tappomat
