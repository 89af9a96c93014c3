#pragma once

#include <functional>
#include <optional>
#include <string>

#include "link/companion_command.h"

namespace mirva {

class Notifier;

/// What the host does with a companion's command: the reply to broadcast, if any.
using CommandRunner = std::function<std::optional<CommandReply>(long wparam, long lparam)>;

/// Why this build cannot host the companion link, or "" when it can.
std::string CompanionLinkUnavailable();

/// Hosts the companion link without windows until a stop signal (Ctrl+C) or, on Windows, a
/// WM_CLOSE to its hidden window: every companion command goes to `run`, and its reply is
/// broadcast as the macro message. Returns the exit status.
int HostCompanionLink(Notifier& notifier, const CommandRunner& run);

}  // namespace mirva
