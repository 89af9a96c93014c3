#include "link/radio_mode.h"

namespace mirva {

std::optional<std::string> RadioModeFor(std::string_view contest_mode, std::int64_t hz) {
  if (contest_mode.empty())
    return std::string();
  if (contest_mode == "CW" || contest_mode == "RTTY")
    return std::string(contest_mode);
  if (contest_mode == "SSB")
    return hz >= kUpperSidebandFromHz ? "USB" : "LSB";
  if (contest_mode == "DIGI")
    return "PKTUSB";
  return std::nullopt;
}

}  // namespace mirva
