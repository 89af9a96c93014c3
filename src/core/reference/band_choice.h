#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/radio.h"
#include "reference/band_plan.h"

namespace mirva {

/// The band-plan columns the choice reads: the band, its range and where each mode's sub-band
/// starts, in the order of the initial grid.
inline constexpr std::size_t kPlanBandColumn = 0;
inline constexpr std::size_t kPlanStartColumn = 1;
inline constexpr std::size_t kPlanEndColumn = 2;
inline constexpr std::size_t kPlanCwColumn = 3;
inline constexpr std::size_t kPlanSsbColumn = 4;
inline constexpr std::size_t kPlanDigiColumn = 5;

/// The band and mode the entry is to be on; an empty one leaves the entry's as it is.
struct BandModeChoice {
  std::string band;
  std::string mode;

  bool operator==(const BandModeChoice&) const = default;
};

/// A band-plan cell as a frequency in Hz. The cell holds kHz as typed: digits with blanks
/// anywhere, and '.' or ',' before at most three decimals. Nothing for an empty cell or junk.
std::optional<std::int64_t> PlanFrequency(std::string_view cell);

/// Where the radio's reading puts the entry under the band plan. The band is that of the first
/// row whose start and end hold the frequency (ends included). The mode is that of the row's
/// sub-band starting highest at or below the frequency (CW, SSB, DIGI; DIGI is RTTY in a
/// contest of RTTY); where the row has none, or no row holds the frequency, the radio's own
/// mode decides. Only a band or mode of the contest's lists is chosen.
BandModeChoice ChooseBandMode(const BandPlan& plan, const RadioReading& reading,
                              const std::vector<std::string>& bands,
                              const std::vector<std::string>& modes);

}  // namespace mirva
