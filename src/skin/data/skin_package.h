#pragma once
// Skin packages: the single-file container in which a skin's files travel ("TQzf", the
// number of entries, then per entry its name, its inflated size and one zlib stream).
//
// TacSkinConvertor is what reading a package gives: the definition text ("Options.dat")
// and the other entries, kept in memory only while one skin loads, so that the loader can
// take the master bitmap and the other images from them by name. WriteSkinPackage makes a
// package from files; the build and the skin tool use it to pack skin folders.
//
// Packages are outside data: every field is checked against the bytes that are left and
// against the limits below before anything is allocated, and a damaged package gives a
// message, never a crash.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat {

// One entry of a package: its name as stored and its inflated bytes.
struct TacImageItem {
  std::string name;
  std::vector<std::uint8_t> data;
};

// Limits that no real skin comes near; a package past them is refused before its sizes
// are believed.
struct SkinPackageLimits {
  static constexpr std::uint32_t kMaxEntries = 4096;
  static constexpr std::uint32_t kMaxNameLength = 1024;
  static constexpr std::uint32_t kMaxEntrySize = 64u << 20;
  static constexpr std::uint64_t kMaxTotalSize = 256u << 20;
  static constexpr std::uint64_t kMaxPackageSize = 64u << 20;
};

class TacSkinConvertor {
 public:
  // The inflated "Options.dat" entry (any letter case; a later one replaces an earlier).
  std::vector<std::uint8_t> definition;
  bool hasDefinition = false;
  // The stored name of every "Options.dat" entry, in package order (normally one).
  std::vector<std::string> definitionNames;
  // Every other entry, in package order.
  std::vector<TacImageItem> images;

  // The first entry whose stored name, upper-cased, equals `name` exactly (skin
  // definitions write file names in upper case); null when there is none.
  const TacImageItem* FindImage(std::string_view name) const;
  int ImageCount() const { return static_cast<int>(images.size()); }
};

// The result of reading a package: the package, or the message that says why not.
struct SkinPackageRead {
  TacSkinConvertor package;
  std::string error;      // empty on success
  std::string entry;      // the name of the entry that failed; empty when none was named yet
  std::size_t used = 0;  // bytes the package took; what follows its last entry is ignored

  bool Ok() const { return error.empty(); }
};

// Reads a whole package held in memory.
SkinPackageRead ReadSkinPackage(std::span<const std::uint8_t> bytes);
// Reads a package file; a file that cannot be read gives its reason as the error.
SkinPackageRead ReadSkinPackageFile(const std::filesystem::path& path);

// One file to pack: the name to store and the bytes.
struct SkinPackageFile {
  std::string name;
  std::vector<std::uint8_t> data;
};
// The package of `files`, in the order given, each compressed at the best level.
std::vector<std::uint8_t> WriteSkinPackage(std::span<const SkinPackageFile> files);

}  // namespace tappomat
