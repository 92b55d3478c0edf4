// libFuzzer target for reading skin packages. Beyond what the sanitizers catch: a package
// that reads packs again into bytes that read back to the same entries.
#include <cstdlib>

#include "skin/data/skin_package.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tappomat::SkinPackageRead read = tappomat::ReadSkinPackage({data, size});
  if (!read.Ok()) return 0;
  std::vector<tappomat::SkinPackageFile> files;
  if (read.package.hasDefinition) files.push_back({"Options.dat", read.package.definition});
  for (const tappomat::TacImageItem& item : read.package.images) files.push_back({item.name, item.data});
  const tappomat::SkinPackageRead again = tappomat::ReadSkinPackage(tappomat::WriteSkinPackage(files));
  Check(again.Ok());
  Check(again.package.definition == read.package.definition);
  Check(again.package.images.size() == read.package.images.size());
  for (std::size_t i = 0; i < read.package.images.size(); ++i) {
    Check(again.package.images[i].name == read.package.images[i].name);
    Check(again.package.images[i].data == read.package.images[i].data);
  }
  return 0;
}
