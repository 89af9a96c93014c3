#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "contest/rules/rules.h"
#include "log/log_store.h"

namespace mirva {

/// Whether the log holds a QSO that this one (callsign, band, mode, time "hh:nn") repeats
/// under the rule. Looks only at the QSOs with the same callsign.
bool IsDupe(DupeRule rule, const LogStore& log, std::string_view call, std::string_view band,
            std::string_view mode, std::string_view time);
/// The same for a callsign whose QSOs (positions in the log) are already known.
bool IsDupe(DupeRule rule, const LogStore& log, std::span<const uint32_t> qsos,
            std::string_view band, std::string_view mode, std::string_view time);

}  // namespace mirva
