#include "ui/convert.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

TEST(ConvertTest, TryStrToIntTable) {
  struct Case {
    const char* text;
    std::optional<int> value;
  } cases[] = {
      {"0", 0},           {"42", 42},         {"-5", -5},          {"+7", 7},
      {"  12", 12},       {"$1F", 31},        {"0x10", 16},        {"-$10", -16},
      {"2147483647", 2147483647},             {"-2147483648", -2147483647 - 1},
      {"2147483648", {}}, {"", {}},           {"-", {}},           {"+", {}},
      {"12 ", {}},        {"1.5", {}},        {"abc", {}},         {"$", {}},
      {"0x", {}},         {"1e3", {}},        {"--1", {}},         {"$G", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ConvertTest, Int64RangeEdges) {
  EXPECT_EQ(TryStrToInt64("4294967295"), 4294967295LL);
  EXPECT_EQ(TryStrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(TryStrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(TryStrToInt64("9223372036854775808"), std::nullopt);
  EXPECT_EQ(TryStrToInt64("99999999999999999999"), std::nullopt);
}

TEST(ConvertTest, StrToIntReportsTheText) {
  try {
    StrToInt("12a");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt("-12"), -12);
}

}  // namespace
}  // namespace tappomat
