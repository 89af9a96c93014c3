#pragma once

#include <span>
#include <string_view>

namespace mirva {

/// The call history columns a contest's received exchange is proposed from, the first with a
/// value winning; none for a contest whose received exchange is a serial number or that is not
/// known. `known` tells whether the contest is in the table at all.
std::span<const std::string_view> HistoryColumns(std::string_view contest, bool* known = nullptr);

}  // namespace mirva
