#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_setup.h"
#include "log/log_store.h"
#include "log/qso_record.h"
#include "reference/country_db.h"
#include "reference/domestic.h"
#include "reference/station.h"

namespace mirva {

/// What a rule reads: the station, the reference data and the log. Rules change none of it.
class SerialSource;

struct RuleContext {
  const TStationCFG& StationCfg;
  const CountryDatabase& countries;
  const std::vector<TDomestic>& DomesticList;
  const TPointsTable& PointsTable;
  const LogStore& log;
  /// WAE-only countries count (no contest set up, or the contest uses them).
  bool use_wae = true;
  /// The group's serial numbers, for a station that shares its numbering; null otherwise.
  const SerialSource* serials = nullptr;
  /// The band the next QSO is made on, for numbering per band; empty when not known.
  std::string_view band{};
};

/// The three point fields of a QSO: base points, new-station bonus, hour-zone bonus.
struct PointsTriple {
  int32_t Points = 0;
  int32_t Points2 = 0;
  int32_t Points3 = 0;
  /// The operator's message when the exchange or the station cannot be scored (the points are
  /// then zero); empty otherwise.
  std::string_view Problem{};

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

/// What keeps a contest from counting by the station configuration as it is.
struct StationFit {
  /// For the operator, naming the field and the form it takes; empty when the station fits.
  std::string problem;
  /// Every QSO scores 0 points, and each scoring says so with the points rule's own message.
  bool scores_nothing = false;
};

/// Which layouts the contest's ALL and SUM reports take.
enum class ReportLayout {
  kStandard,
  kVolta,    ///< the summary counts intercontinental countries and scores with them
  kRussian,  ///< the Russian-championship forms
};

/// Everything one contest decides, found by its exact display name.
struct ContestRules {
  std::string_view name{};     ///< display name, Windows-1251
  std::string_view variant{};  ///< what the definition tells its variants by ("CW", "SSB", ...)
  /// The contest, the captions and the multiplier lists; nothing when the definition cannot
  /// set the contest up. Runs after the reference files below are loaded.
  std::optional<ContestSetup> (*define)(const RuleContext& ctx, const ContestRules& self) = nullptr;
  DupeRule dupe = DupeRule::kNever;
  /// The points of a QSO that is not a duplicate.
  PointsTriple (*points)(const TQSOData& qso, const RuleContext& ctx) = nullptr;
  /// The received exchange of a QSO brought into the contest's form.
  std::string (*normalize)(const TQSOData& qso, const RuleContext& ctx) = nullptr;
  /// The received exchange proposed for a callsign while it is typed (full false) or when the
  /// callsign field is left (full true, with the callsign's earlier QSOs in log order).
  std::string (*predict)(std::string_view call, bool full, std::span<const TQSOData> previous,
                         const RuleContext& ctx) = nullptr;
  /// The exchange to send in the next QSO; throws ConversionError when the last sent exchange
  /// is not the number the rule counts from.
  std::string (*sent)(const RuleContext& ctx) = nullptr;
  /// The keys the QSO counts under, one per list the rule uses.
  MultKeys (*mult_keys)(const MultQso& qso, const RuleContext& ctx) = nullptr;
  /// How the station configuration fits the contest; null for a contest that takes any.
  StationFit (*station_fit)(const TStationCFG& station) = nullptr;
  /// The operator's warning when a received exchange that no multiplier list keys has not the
  /// form the contest asks for, empty when it has; runs on every keystroke of the exchange.
  std::string (*check_exchange)(const TQSOData& qso, const RuleContext& ctx) = nullptr;
  std::array<MultScope, 3> scope{};
  ReportLayout report = ReportLayout::kStandard;
  /// 2: the definition counts by "P-150-C.DAT" in place of "CTY.DAT".
  int country_file = 1;
  /// The domestic list file the definition reads; empty for none.
  std::string_view domestic_list{};
  /// The definition reads "points.tbl".
  bool points_table = false;
};

/// A contest of the family `rules`: the same rules under its own name and variant.
constexpr ContestRules Named(ContestRules rules, std::string_view name, std::string_view variant) {
  rules.name = name;
  rules.variant = variant;
  return rules;
}

/// The rules of the contest with exactly this name, or null.
const ContestRules* FindContestRules(std::string_view name);
/// Every built-in contest, family by family.
std::span<const ContestRules* const> AllContestRules();

}  // namespace mirva
