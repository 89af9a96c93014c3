#include "text/strings.h"

#include <gtest/gtest.h>

#include "error.h"

namespace mirva {
namespace {

TEST(SplitLines, EndsAndBreaks) {
  struct Case {
    std::string_view text;
    std::vector<std::string_view> lines;
  } cases[] = {
      {"", {}},
      {"a\n", {"a"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\rb\n\r\n", {"a", "b", ""}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(Trim, RemovesControlCharactersAndBlanks) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Visible, ShowsControlCharactersAsHex) {
  EXPECT_EQ(Visible("DL1ABC \xC0\xFF"), "DL1ABC \xC0\xFF");
  EXPECT_EQ(Visible(std::string("\n\t\x1B[\x7F\x98\0", 7)), "\\x0A\\x09\\x1B[\\x7F\\x98\\x00");
}

TEST(StrToInt, AcceptsOnlyWholeIntegers) {
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt(" +3 "), 3);
  for (std::string_view bad : {"", "-", "1A", "2147483648", "++1", "1 2"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace mirva
