#include "text/c_format.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace mirva {
namespace {

TEST(CFormat, WidthsPadButNeverCut) {
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {
      {CFormat("[%5s]", {"ab"}), "[   ab]"},
      {CFormat("[%-5s]", {"ab"}), "[ab   ]"},
      {CFormat("[%2s|%-2s]", {"abcdef", "xyz"}), "[abcdef|xyz]"},
      {CFormat("[%s]", {""}), "[]"},
      {CFormat("[%5d|%-5d|%d]", {-42, 7, int64_t{10000000000}}), "[  -42|7    |10000000000]"},
      {CFormat("[%-d points]", {56}), "[56 points]"},
      {CFormat("100%% [%3s]", {"\xC0\xC1"}), "100% [ \xC0\xC1]"},  // one byte per character
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, c.expected);
}

TEST(CFormat, ConversionsMustFitTheArguments) {
  EXPECT_THROW(CFormat("%d", {"text"}), std::invalid_argument);
  EXPECT_THROW(CFormat("%s", {3}), std::invalid_argument);
  EXPECT_THROW(CFormat("%s %s", {"one"}), std::invalid_argument);
  EXPECT_THROW(CFormat("%s", {"one", "two"}), std::invalid_argument);
  EXPECT_THROW(CFormat("%5x", {"one"}), std::invalid_argument);
  EXPECT_THROW(CFormat("50%", {}), std::invalid_argument);
}

}  // namespace
}  // namespace mirva
