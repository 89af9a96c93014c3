#include "link/held_commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace mirva {
namespace {

std::vector<long> Codes(HeldCommands& held) {
  std::vector<long> codes;
  while (std::optional<CompanionCommand> command = held.Pop())
    codes.push_back(command->wparam);
  return codes;
}

TEST(HeldCommands, KeepsWhatFitsInOrderAndCountsTheRest) {
  HeldCommands held(3);
  EXPECT_EQ(held.Pop(), std::nullopt);
  for (long code = 128; code <= 133; ++code)
    held.Push({code, code * 2});
  EXPECT_EQ(held.size(), 3u);
  EXPECT_EQ(held.Pop(), (CompanionCommand{128, 256}));
  // A place freed takes the next command that arrives; the ones dropped stay dropped.
  held.Push({200, 0});
  EXPECT_EQ(Codes(held), (std::vector<long>{129, 130, 200}));
  EXPECT_EQ(held.TakeDropped(), 3u);
  EXPECT_EQ(held.TakeDropped(), 0u) << "each drop is counted once";
}

}  // namespace
}  // namespace mirva
