#include <gtest/gtest.h>

#include "link/radio_mode.h"

namespace mirva {
namespace {

TEST(RadioModeFor, ContestModeToHamlibMode) {
  struct Case {
    const char* mode;
    std::int64_t hz;
    std::optional<std::string> radio;
  };
  const Case cases[] = {
      {"SSB", 9999999, "LSB"},        {"SSB", 10000000, "USB"},      {"RTTY", 3580000, "RTTY"},
      {"FM", 29600000, std::nullopt}, {"cw", 7025000, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RadioModeFor(c.mode, c.hz), c.radio) << c.mode << " " << c.hz;
}

}  // namespace
}  // namespace mirva
