#pragma once

#include <string_view>

class QKeyEvent;

namespace mirva {

/// The transmit-buffer sequence a CW speed key sends: Ctrl with the keypad's plus or the
/// main keyboard's =/+ key speeds the keying up, Ctrl with the keypad's minus slows it
/// down. Empty for every other key.
std::string_view SpeedKeySequence(const QKeyEvent& key);

}  // namespace mirva
