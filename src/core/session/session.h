#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_state.h"
#include "contest/rules/rules.h"
#include "file_system.h"
#include "log/log_store.h"
#include "reference/country_db.h"
#include "reference/domestic.h"
#include "reference/station.h"
#include "scoring/totals.h"
#include "session/notifier.h"

namespace mirva {

inline constexpr char kCountryFileName[] = "CTY.DAT";
inline constexpr char kP150CountryFileName[] = "P-150-C.DAT";
inline constexpr char kPointsTableFileName[] = "points.tbl";
inline constexpr char kCatalogueFileName[] = "Contests.mrv";

/// The program's whole state for one working directory: every reference file and the log
/// are read from and written to that directory.
class Session {
 public:
  Session(FileSystem& fs, Notifier& notifier, std::string dir);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  /// Loads the country file and the log, and tells the operator when a partial record had
  /// to be set aside. Throws IoError when the log cannot be read or created.
  void Start();

  /// Loads "P-150-C.DAT" for 2 and "CTY.DAT" otherwise; returns false (both lists empty) when
  /// the file cannot be read.
  bool LoadCountryFile(int which);
  /// Replaces DomesticList by the named file's entries (none when it cannot be read).
  void LoadDomesticList(const std::string& file_name);
  /// Fills PointsTable from "points.tbl" (all zero when it cannot be read); throws
  /// ConversionError at the first missing or bad cell, keeping the cells before it.
  void LoadPointsTable();

  /// Sets up the contest of that display name: blanks the statistics grid, reloads the
  /// country file, applies the stored station configuration and runs the contest's
  /// definition. False when no contest has that name (the previous one stays) or its
  /// definition failed. The totals are not rebuilt: SelectContest does that.
  bool SetupContest(std::string_view name);
  /// Sets up the contest and replays the log into its totals and multipliers, as choosing a
  /// contest does; false as SetupContest.
  bool SelectContest(std::string_view name);
  /// Reads "Contests.mrv" into ContestCatalogue (empty when it cannot be read).
  void LoadCatalogue();
  /// Sets up the catalogue's contest at ContestIndex; false when the index addresses no line.
  bool SetupRememberedContest();

  bool HasContest() const { return contest.Contest.has_value(); }
  /// The contest set up last; throws std::logic_error when there is none.
  const TContest& Contest() const;
  /// The rules of the contest set up last, or null.
  const ContestRules* Rules() const { return rules_; }

  /// The country of a callsign; WAE-only countries count only when no contest is set up or
  /// the contest uses them.
  bool FindCountry(std::string_view call, TCountry& rec) const;

  /// Whether a QSO with this callsign, band, mode and time ("hh:nn") repeats one of the log
  /// under the contest's rule; never without a contest.
  bool IsDupe(std::string_view call, std::string_view band, std::string_view mode,
              std::string_view time) const;
  /// The same for a callsign of the log found by CallsContaining.
  bool IsDupe(const CallQsos& call, std::string_view band, std::string_view mode,
              std::string_view time) const;
  /// The points the contest's rules give the QSO; zeros without a contest.
  PointsTriple ComputeQsoPoints(const TQSOData& qso) const;
  /// The QSO's received exchange in the contest's form; as typed without a contest.
  std::string NormalizeReceivedExchange(const TQSOData& qso) const;
  /// The received exchange proposed for the callsign while it is typed (full false) or when
  /// the field is left (full true, after ShowPreviousQSOs); empty without a contest.
  std::string PredictReceivedExchange(std::string_view call, bool full) const;
  /// The exchange to send in the next QSO; empty without a contest. Throws ConversionError
  /// when the last sent exchange is not the number the contest counts from.
  std::string NextSentExchange() const;
  /// Fills PrevQSOs with the log's QSOs of exactly this callsign.
  void ShowPreviousQSOs(std::string_view call);

  std::string PathOf(const std::string& name) const { return log.PathOf(name); }
  Notifier& notifier() const { return *notifier_; }
  FileSystem& fs() const { return *fs_; }

  LogStore log;
  CountryDatabase countries;
  std::vector<TDomestic> DomesticList;
  TPointsTable PointsTable;
  ContestState contest;
  /// The station configuration in effect.
  TStationCFG StationCfg;
  /// The station configuration as stored; every contest set-up applies it again.
  TStationCFG StoredStation;
  /// The display names the operator may choose from, in the catalogue's order.
  std::vector<std::string> ContestCatalogue;
  /// The position in the catalogue of the contest chosen last.
  int ContestIndex = 0;
  /// The QSOs of the log with the callsign whose previous QSOs were shown last, in log order.
  TQSODataArr PrevQSOs;
  ContestTotals totals;

 private:
  FileSystem* fs_;
  Notifier* notifier_;
  const ContestRules* rules_ = nullptr;
};

}  // namespace mirva
