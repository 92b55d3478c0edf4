#pragma once
// The decimal separator of the user's regional settings. The main window reads it once at
// start-up for the delay column of its script grid (grid_texts.h).
#include <string>

namespace tappomat {

// The C library's decimal point of the user's locale (LC_NUMERIC from the environment);
// "." when that locale cannot be set. The program's own LC_NUMERIC is put back afterwards,
// so number parsing and printing elsewhere keep the "C" rules.
std::string UserDecimalSeparator();

}  // namespace tappomat
