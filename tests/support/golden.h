#pragma once
// Golden-image comparison for tests that check looks. Goldens are PNG files in
// tests/golden/. A missing golden is written from the actual image and the test fails,
// so that a person looks at it before it is committed. On a mismatch the actual image is
// written beside the golden as <name>_err.png.
#include <string>

#include <gtest/gtest.h>

#include "imaging/bitmap32.h"

namespace tappomat::test {

// Passes when every channel of every pixel is within `tolerance` of the golden.
::testing::AssertionResult MatchesGolden(const Bitmap32& actual, const std::string& name,
                                         int tolerance = 2);

}  // namespace tappomat::test
