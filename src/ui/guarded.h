#pragma once

#include <exception>
#include <utility>

#include "session/notifier.h"

namespace mirva {

/// Runs a window's handler; an error it raises ends the handler and is shown in an error box
/// with its text, and the program goes on.
template <typename Handler>
bool Guarded(Notifier& notifier, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& error) {
    notifier.ShowError(error.what());
  }
  return false;
}

}  // namespace mirva
