#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "log/qso_record.h"

namespace mirva {

class Session;

/// The three point fields of a QSO: base points, new-station bonus, hour-zone bonus.
struct PointsTriple {
  int32_t Points = 0;
  int32_t Points2 = 0;
  int32_t Points3 = 0;

  bool operator==(const PointsTriple&) const = default;
};

/// What makes a QSO repeat an earlier one with the same callsign.
enum class DupeRule {
  kNever,
  kBand,         ///< the same band
  kBandMode,     ///< the same band and mode in one QSO
  kBandAndMode,  ///< the same band in one QSO and the same mode in one QSO
  kHour,         ///< the same band within the same clock hour
};

/// Everything one contest decides, found by its exact display name.
struct ContestRules {
  std::string_view name;     ///< display name, Windows-1251
  std::string_view variant;  ///< what the definition tells its variants by ("CW", "SSB", ...)
  /// Builds Contest, the captions, the multiplier lists and the grid headers; false when a
  /// step failed, with what was set before it kept.
  bool (*define)(Session& session, const ContestRules& self);
  DupeRule dupe;
  /// The points of a QSO that is not a duplicate; reads the session, changes nothing in it.
  PointsTriple (*points)(const TQSOData& qso, const Session& session);
};

/// The rules of the contest with exactly this name, or null.
const ContestRules* FindContestRules(std::string_view name);
/// Every built-in contest, family by family.
std::span<const ContestRules* const> AllContestRules();

}  // namespace mirva
