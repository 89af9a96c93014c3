#pragma once

#include <cstdint>
#include <string_view>

#include "reference/band_plan.h"

namespace mirva {

/// An amateur band as most regions use it: its edges and where CW, data and phone operation
/// start, in Hz (0: none).
struct UsualBand {
  std::string_view name;
  std::int64_t low = 0;
  std::int64_t high = 0;
  std::int64_t cw = 0;
  std::int64_t ssb = 0;
  std::int64_t digi = 0;
};

/// The usual band of a contest's band name ("160" ... "10", "6", "2"); null for another name.
const UsualBand* FindUsualBand(std::string_view band);

/// The plan with the usual bands' edges and sub-band starts in every cell the operator left
/// empty, and a row for each usual band it lacks, so that a spot finds its band and mode
/// before anyone has filled in a band plan.
BandPlan WithUsualBands(BandPlan plan);

}  // namespace mirva
