#pragma once
// SkinTooLarge: a skin that holds more than any real skin comes near, refused before it
// swells the program. Its message says what is too large and the limit, in words a skin
// maker can act on. Thrown by the definition parser (too many sections or keys) and by the
// image decoding of a load (too many pixels); the skin manager reports it as a failed load.
#include <stdexcept>

namespace tappomat {

class SkinTooLarge : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tappomat
