#pragma once

#include <cstddef>
#include <deque>
#include <optional>

namespace mirva {

/// A companion's command as it arrived: the code in the low byte of wparam, the field mask
/// in lparam.
struct CompanionCommand {
  long wparam;
  long lparam;

  bool operator==(const CompanionCommand&) const = default;
};

/// The companion's commands that wait, in arrival order, until the entry may take them. At
/// most `capacity` wait: one that arrives while all places are taken is dropped and counted,
/// so that a companion sending without pause cannot grow the queue without bound.
class HeldCommands {
 public:
  static constexpr std::size_t kCapacity = 256;

  explicit HeldCommands(std::size_t capacity = kCapacity) : capacity_(capacity) {}

  void Push(CompanionCommand command);
  /// The command that has waited longest, taken from the queue; none when none waits.
  std::optional<CompanionCommand> Pop();
  bool empty() const { return commands_.empty(); }
  std::size_t size() const { return commands_.size(); }
  /// How many commands were dropped since the last call.
  std::size_t TakeDropped();

 private:
  std::size_t capacity_;
  std::deque<CompanionCommand> commands_;
  std::size_t dropped_ = 0;
};

}  // namespace mirva
