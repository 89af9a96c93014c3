#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/qso_record.h"
#include "reference/country_db.h"

namespace mirva {

class Session;

/// The three point fields of a QSO: base points, new-station bonus, hour-zone bonus.
struct PointsTriple {
  int32_t Points = 0;
  int32_t Points2 = 0;
  int32_t Points3 = 0;

  bool operator==(const PointsTriple&) const = default;
  /// Stores the three values in the record's point fields.
  void StoreIn(TQSOData& qso) const {
    qso.Points = Points;
    qso.Points2 = Points2;
    qso.Points3 = Points3;
  }
};

/// What makes a QSO repeat an earlier one with the same callsign.
enum class DupeRule {
  kNever,
  kBand,         ///< the same band
  kBandMode,     ///< the same band and mode in one QSO
  kBandAndMode,  ///< the same band in one QSO and the same mode in one QSO
  kHour,         ///< the same band within the same clock hour
};

/// What a multiplier rule reads of a QSO.
struct MultQso {
  const TQSOData& qso;
  const TCountry& worked;          ///< the country of the callsign; cleared when none matched
  std::string_view stored_prefix;  ///< the record's CountryPrefix; for a query, worked.Prefix
  bool query = false;              ///< a zone key is padded to two digits
};

/// The key a QSO counts under in one multiplier list.
struct MultKey {
  std::string name;     ///< the entry's name; empty: the QSO counts for nothing in this list
  bool append = false;  ///< a name not yet in the list becomes a new entry
};

/// One key per list the rule uses, in list order (list 1 first).
using MultKeys = std::vector<MultKey>;

/// How far a worked multiplier counts.
struct MultScope {
  uint8_t slots = 1;          ///< bit m: per band in mode slot m
  bool once = false;          ///< once for the whole contest: 0xFF in slot 0
  bool slot_by_mode = false;  ///< the contest's first mode in slot 0, any other in slot 1
};

/// The same scope for all three lists.
constexpr std::array<MultScope, 3> EveryList(MultScope scope) {
  return {scope, scope, scope};
}

/// Which layouts the contest's ALL and SUM reports take.
enum class ReportLayout {
  kStandard,
  kVolta,    ///< the summary counts intercontinental countries and scores with them
  kRussian,  ///< the Russian-championship forms
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
  /// The received exchange of a QSO brought into the contest's form.
  std::string (*normalize)(const TQSOData& qso, const Session& session);
  /// The received exchange proposed for a callsign while it is typed (full false) or when
  /// the callsign field is left (full true); reads PrevQSOs.
  std::string (*predict)(std::string_view call, bool full, const Session& session);
  /// The exchange to send in the next QSO; throws ConversionError when the last sent exchange
  /// is not the number the rule counts from.
  std::string (*sent)(const Session& session);
  /// The keys the QSO counts under, one per list the rule uses.
  MultKeys (*mult_keys)(const MultQso& qso, const Session& session);
  std::array<MultScope, 3> scope;
  ReportLayout report = ReportLayout::kStandard;
};

/// The rules of the contest with exactly this name, or null.
const ContestRules* FindContestRules(std::string_view name);
/// Every built-in contest, family by family.
std::span<const ContestRules* const> AllContestRules();

}  // namespace mirva
