#pragma once

#include <chrono>
#include <optional>

namespace mirva {

/// The arguments of the macro message that answered a command.
struct CompanionReply {
  long wparam = 0;
  long lparam = 0;
};

/// Sends the command message with `wparam` and `lparam` on the D-Bus session bus, as a
/// companion does, and waits up to `wait` for the macro message whose wParam is `wparam`.
/// Nothing when none came; a std::runtime_error that says why when there is no session bus
/// or the command cannot be sent.
std::optional<CompanionReply> CallCompanion(long wparam, long lparam,
                                            std::chrono::milliseconds wait);

}  // namespace mirva
