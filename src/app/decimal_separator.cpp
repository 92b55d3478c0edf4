#include "app/decimal_separator.h"

#include <clocale>

namespace tappomat {

std::string UserDecimalSeparator() {
  // setlocale's result may be overwritten by the next call: keep a copy to restore.
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  const std::string previous = current ? current : "C";
  std::string separator = ".";
  if (std::setlocale(LC_NUMERIC, "")) {
    const std::lconv* conventions = std::localeconv();
    if (conventions && conventions->decimal_point && *conventions->decimal_point)
      separator = conventions->decimal_point;
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  return separator;
}

}  // namespace tappomat
