#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// Below this frequency SSB is on the lower sideband, from it on on the upper one.
inline constexpr std::int64_t kUpperSidebandFromHz = 10'000'000;

/// The radio's mode, as Hamlib spells it, for a contest's mode at a frequency: CW is "CW", SSB
/// "LSB" or "USB" by the frequency, RTTY "RTTY" and DIGI "PKTUSB". An empty mode gives an empty
/// one (the radio keeps its own); a mode the radio has no counterpart for gives nothing.
std::optional<std::string> RadioModeFor(std::string_view contest_mode, std::int64_t hz);

}  // namespace mirva
