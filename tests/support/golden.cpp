#include "support/golden.h"

#include <cstdlib>

#include "support/image_files.h"

namespace tappomat::test {

::testing::AssertionResult MatchesGolden(const Bitmap32& actual, const std::string& name,
                                         int tolerance) {
  const std::string path = std::string(TAPPOMAT_GOLDEN_DIR) + "/" + name + ".png";
  const std::string errPath = std::string(TAPPOMAT_GOLDEN_DIR) + "/" + name + "_err.png";
  const Bitmap32 golden = ReadPngFile(path);
  if (golden.IsEmpty()) {
    WriteFile(path, EncodePng(actual));
    return ::testing::AssertionFailure()
           << "no golden image " << path << ": written from this run; look at it, commit it "
           << "and run again";
  }
  if (golden.GetSize() != actual.GetSize()) {
    WriteFile(errPath, EncodePng(actual));
    return ::testing::AssertionFailure()
           << "size " << actual.Width() << "x" << actual.Height() << " differs from golden "
           << golden.Width() << "x" << golden.Height() << "; actual image in " << errPath;
  }
  int worst = 0;
  long long differing = 0;
  Point first{-1, -1};
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      const Pixel a = actual.At(x, y);
      const Pixel g = golden.At(x, y);
      int diff = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        diff = std::max(diff, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                       static_cast<int>((g >> shift) & 0xFF)));
      }
      if (diff > tolerance) {
        if (differing == 0) first = {x, y};
        ++differing;
      }
      worst = std::max(worst, diff);
    }
  }
  if (differing == 0) {
    std::remove(errPath.c_str());
    return ::testing::AssertionSuccess();
  }
  WriteFile(errPath, EncodePng(actual));
  return ::testing::AssertionFailure()
         << differing << " pixels differ from " << path << " by more than " << tolerance
         << " (worst " << worst << ", first at " << first.x << "," << first.y
         << "); actual image in " << errPath;
}

}  // namespace tappomat::test
