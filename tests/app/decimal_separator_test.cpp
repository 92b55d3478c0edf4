// Reading the user's decimal separator must not change the locale the rest of the
// program formats and parses numbers with.
#include "app/decimal_separator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace tappomat {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (m_old) setenv(m_name, m_old->c_str(), 1);
    else unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

TEST(UserDecimalSeparator, ReadsTheUserLocaleAndRestoresTheProgramOne) {
  ScopedEnv all("LC_ALL", "C");
  // A program locale other than the user's, to see that it comes back.
  const char* set = std::setlocale(LC_NUMERIC, "C.UTF-8");
  if (!set) GTEST_SKIP() << "no C.UTF-8 locale";
  const std::string program = set;
  EXPECT_EQ(UserDecimalSeparator(), ".");
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), program);
  std::setlocale(LC_NUMERIC, "C");
}

TEST(UserDecimalSeparator, AnUnknownLocaleGivesAPoint) {
  ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  EXPECT_EQ(UserDecimalSeparator(), ".");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(UserDecimalSeparator, ACommaLocaleGivesAComma) {
  ScopedEnv all("LC_ALL", "de_DE.UTF-8");
  if (!std::setlocale(LC_NUMERIC, "")) GTEST_SKIP() << "no de_DE locale installed";
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  EXPECT_EQ(UserDecimalSeparator(), ",");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_EQ(std::stod("1.5"), 1.5);  // parsing elsewhere keeps the point
}

}  // namespace
}  // namespace tappomat
