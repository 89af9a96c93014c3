#include "link/held_commands.h"

#include <utility>

namespace mirva {

void HeldCommands::Push(CompanionCommand command) {
  if (commands_.size() < capacity_)
    commands_.push_back(command);
  else
    ++dropped_;
}

std::optional<CompanionCommand> HeldCommands::Pop() {
  if (commands_.empty())
    return std::nullopt;
  CompanionCommand command = commands_.front();
  commands_.pop_front();
  return command;
}

std::size_t HeldCommands::TakeDropped() {
  return std::exchange(dropped_, 0);
}

}  // namespace mirva
