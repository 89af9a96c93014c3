#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contest/catalogue_line.h"
#include "contest/contest_state.h"
#include "contest/rules/rules.h"
#include "contest/rules/serial_source.h"
#include "file_system.h"
#include "log/log_store.h"
#include "reference/country_db.h"
#include "reference/domestic.h"
#include "reference/station.h"
#include "scoring/score_qso.h"
#include "scoring/totals.h"
#include "session/holding_notifier.h"
#include "session/notifier.h"
#include "session/rescore.h"
#include "session/session_listener.h"
#include "session/session_notices.h"

namespace mirva {

class CallHistory;

inline constexpr char kCountryFileName[] = "CTY.DAT";
inline constexpr char kP150CountryFileName[] = "P-150-C.DAT";
inline constexpr char kPointsTableFileName[] = "points.tbl";

/// The program's whole state for one working directory: every reference file and the log
/// are read from and written to that directory. State is read through the const accessors and
/// changed only by the operations. Each operation tells every listener what it changed once,
/// when it is done, and only then shows what it has to tell the operator.
class Session {
 public:
  Session(FileSystem& fs, Notifier& notifier, std::string dir);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void AddListener(SessionListener* listener);
  void RemoveListener(SessionListener* listener);

  /// Loads the country file and the log and counts the log into the totals, and tells the
  /// operator which records cannot be QSOs (they stay in the log). A writer's load also tells when
  /// a partial record was set aside or could not be; a reader's load returns what it found. Throws
  /// IoError when the log cannot be read, or created by a writer.
  LogLoadReport Start(LogAccess access = LogAccess::kWrite);
  /// What the operator is told about the partial last record a load found.
  std::string TornTailMessage(const LogLoadReport& report) const;

  /// Loads "P-150-C.DAT" for 2 and "CTY.DAT" otherwise and judges it: false, with
  /// CountryFileProblem saying why, when the file is missing, cannot be read, holds no prefix
  /// or is cut short (its last country's prefixes do not end with ";"). Whatever it holds is
  /// loaded all the same.
  bool LoadCountryFile(int which);
  /// Why the country file loaded last cannot be counted by, naming the file; empty when it
  /// can.
  const std::string& CountryFileProblem() const { return country_problem_; }
  /// Throws IoError with CountryFileProblem when there is one: every QSO would be scored
  /// without a country.
  void RequireCountryFile() const;
  /// Throws IoError when the contest counts by a points table that could not be loaded: a
  /// rescoring would set every stored score to 0.
  void RequirePointsTable() const;
  /// Replaces DomesticList by the named file's entries; false (no entries) when it cannot be
  /// read.
  bool LoadDomesticList(const std::string& file_name);
  /// Fills PointsTable from "points.tbl"; false (all zero) when it cannot be read. Throws
  /// ConversionError at the first missing or bad cell, keeping the cells before it.
  bool LoadPointsTable();

  /// Sets up the contest of that display name: blanks the statistics grid, reloads the
  /// country file, applies the stored station configuration, loads the reference files the
  /// contest reads, installs what its definition decides and replays the log into its totals
  /// and multipliers. False when its definition failed or a reference file it needs is broken
  /// (the operator is told), and, changing nothing, when no contest has that name. A country
  /// file, domestic list or points table that is missing, unreadable or empty is told to the
  /// operator and the set-up goes on without it, as it does with a station that does not fit
  /// the contest (the rules' station_fit).
  bool SetupContest(std::string_view name);
  /// Choosing a contest: the same as SetupContest.
  bool SelectContest(std::string_view name) { return SetupContest(name); }
  /// Reads "Contests.mrv" into ContestCatalogue (empty when it cannot be read).
  void LoadCatalogue();
  /// Stores the station configuration and puts it in effect until the next contest set-up.
  void SetStation(const TStationCFG& station);

  /// Scores the QSO as the contest counts it against the log as it stands, and logs it: the
  /// record reaches the disk before the totals count it. A duplicate's note gets kDupeMarker
  /// in front. Throws IoError when it cannot be written, with nothing counted, and, with
  /// nothing written, when the country file cannot be used (RequireCountryFile).
  ScoredQso SaveQso(const TQSOData& fields);
  /// Saves from now on write their QSOs without waiting for the disk, until EndLogBatch
  /// flushes them: for logging many QSOs at once. A power cut may lose the batch's QSOs.
  void BeginLogBatch() { log_.BeginBatch(); }
  /// Flushes the QSOs saved since BeginLogBatch to stable storage; throws IoError when it
  /// cannot. Saves flush each QSO again.
  void EndLogBatch() { log_.EndBatch(); }
  /// Writes the edited date, time, callsign, band, mode, reports, exchanges and note over QSO
  /// `index` (from 0), the received exchange in the contest's form; points, multiplier mark
  /// and country prefix stay until the next rescoring, and the QSO table is recounted. Throws
  /// std::out_of_range for an index past the log, and std::invalid_argument, changing nothing,
  /// for an edit that would leave a QSO's callsign blank.
  void EditQso(std::size_t index, const TQSOData& edited);
  /// Removes QSO `index`; the previous file is kept as mrvtest.old.
  void DeleteQso(std::size_t index);
  /// Empties the log; the previous file is kept as mrvtest.old.
  void ClearLog();
  /// Appends records that came from another station exactly as they are, neither scored nor
  /// marked, all flushed at once, and counts the log again. Throws IoError when they cannot be
  /// written; those written before stay.
  void AppendRecords(std::span<const TQSOData> records);
  /// Puts `records` in place of the whole log file in one step, exactly as they are, and
  /// counts the log again: for changes that came from another station. Throws IoError when
  /// it cannot, with the file and the log as they were.
  void ReplaceRecords(std::span<const TQSOData> records);
  /// Zeroes the worked multipliers and the totals and counts the whole log again from the
  /// stored points and multiplier marks.
  void RebuildTotals();
  /// Scores every QSO of the log file again under the current contest, as stored and against
  /// the ones before it: only the points, multiplier marks, country prefixes and duplicate
  /// markers change (ScoreStoredQso); a duplicate's note gets one marker in front and the note
  /// of a QSO that is no longer one loses it (UnmarkDupeNote). The old file stays as mrvtest.rec
  /// and the new log replaces the file in one step, so an error leaves the file as it was; the log
  /// is then read back from it and the operator is told. A problem the points rules found is told
  /// once, with how many QSOs had it. A log that takes no changes is left alone and the operator
  /// told. True when the log was rescored. Throws IoError, before any file is touched, when the
  /// country file or the contest's points table cannot be used (RequireCountryFile,
  /// RequirePointsTable).
  bool RescoreLog();

  bool HasContest() const { return contest_.Contest.has_value(); }
  /// The contest set up last; throws std::logic_error when there is none.
  const TContest& Contest() const;
  /// The rules of the contest set up last, or null.
  const ContestRules* Rules() const { return rules_; }
  /// How the station in effect fits the contest set up last; its problem is told at the
  /// set-up.
  const StationFit& FitOfStation() const { return station_fit_; }
  /// What the rules read now.
  RuleContext RuleView() const;
  ScoringContext Scoring() const { return {rules_, contest_, RuleView()}; }

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
  /// The received exchange proposed for the callsign while it is typed: the call history's
  /// (HistoryExchange), else the rules' own; empty without a contest.
  std::string PredictReceivedExchange(std::string_view call) const;
  /// The received exchange proposed when the callsign field is left: from the callsign's
  /// earlier QSOs in log order (PreviousQsos) when one has a received exchange, else the call
  /// history's, else the rules' own fallback; empty without a contest.
  std::string PredictReceivedExchange(std::string_view call,
                                      std::span<const TQSOData> previous) const;
  /// The call history's value for the callsign in the contest's columns (HistoryColumns),
  /// when the contest's rules take an exchange that stays the same from this station; empty
  /// otherwise.
  std::string HistoryExchange(std::string_view call) const;
  /// Whether the contest would propose `exchange` as the callsign's received exchange had an
  /// earlier QSO given it: the contest has history columns and its rules take a fixed exchange
  /// from this station.
  bool TakesFixedExchange(std::string_view call, std::string_view exchange) const;
  /// The call history the proposals read, or null; not owned, and kept alive by the caller
  /// until it is replaced.
  void SetCallHistory(const CallHistory* history) { history_ = history; }
  const CallHistory* History() const { return history_; }
  /// The exchange to send in the next QSO, on `band` when it is known; empty without a
  /// contest. Throws ConversionError when the last sent exchange is not the number the contest
  /// counts from.
  std::string NextSentExchange(std::string_view band = {}) const;
  /// Whether the contest's sent exchange is a serial number that a serial source would give.
  bool NumbersQsos() const;
  /// Where serial numbers come from for a station that shares its numbering with a group, or
  /// null (the log's own numbering). The source is told each number a save spends.
  void SetSerialSource(SerialSource* source) { serials_ = source; }
  /// The log's QSOs of exactly this callsign, in log order.
  TQSODataArr PreviousQsos(std::string_view call) const;
  /// Fills PrevQSOs with the log's QSOs of exactly this callsign, and PrevQSOPositions with
  /// where each stands in the log.
  void ShowPreviousQSOs(std::string_view call);

  std::string PathOf(const std::string& name) const { return log_.PathOf(name); }
  /// Shows the operator's messages; those an operation raises wait until it is done.
  Notifier& notifier() const { return notifier_; }
  FileSystem& fs() const { return *fs_; }

  const LogStore& log() const { return log_; }
  const CountryDatabase& countries() const { return countries_; }
  const std::vector<TDomestic>& DomesticList() const { return DomesticList_; }
  const TPointsTable& PointsTable() const { return PointsTable_; }
  const ContestState& contest() const { return contest_; }
  /// The station configuration in effect.
  const TStationCFG& StationCfg() const { return StationCfg_; }
  /// The station configuration as stored; every contest set-up applies it again.
  const TStationCFG& StoredStation() const { return StoredStation_; }
  /// The display names the operator may choose from, in the catalogue's order.
  const std::vector<std::string>& ContestCatalogue() const { return ContestCatalogue_; }
  /// The QSOs of the log with the callsign whose previous QSOs were shown last, in log order.
  const TQSODataArr& PrevQSOs() const { return PrevQSOs_; }
  /// The position in the log (from 0) of each of PrevQSOs, as the log stood when they were
  /// shown.
  const std::vector<uint32_t>& PrevQSOPositions() const { return PrevQSOPositions_; }
  const ContestTotals& totals() const { return totals_; }

 private:
  /// Tests put the log, the totals and the lists in states no operation would make.
  friend class SessionTest;

  /// Open while an operation runs; operations nest. When the outermost one ends, every
  /// listener is told what changed, and then the messages it raised are shown.
  class Operation {
   public:
    explicit Operation(Session& session);
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

   private:
    Session& session_;
    HoldingNotifier::Hold hold_;
  };

  /// SetupContest of the rules' contest without the totals; false as it.
  bool InstallContest(const ContestRules& rules);
  void Install(ContestSetup setup);
  /// How the station in effect fits the contest's rules.
  StationFit JudgeStation() const;
  /// Loads the reference files the rules' definition reads; false when one is broken.
  bool LoadReferenceFiles(const ContestRules& rules);
  FileSystem* fs_;
  mutable HoldingNotifier notifier_;
  LogStore log_;
  CountryDatabase countries_;
  std::string country_problem_;
  /// What is wrong with the country file loaded last, after its path; empty when nothing is.
  std::string country_fault_;
  /// Why the contest's points table cannot be used; empty when it can or none is needed.
  std::string points_problem_;
  std::vector<TDomestic> DomesticList_;
  TPointsTable PointsTable_;
  ContestState contest_;
  TStationCFG StationCfg_;
  TStationCFG StoredStation_;
  std::vector<std::string> ContestCatalogue_;
  TQSODataArr PrevQSOs_;
  std::vector<uint32_t> PrevQSOPositions_;
  ContestTotals totals_;
  const ContestRules* rules_ = nullptr;
  SerialSource* serials_ = nullptr;
  const CallHistory* history_ = nullptr;
  StationFit station_fit_;
  std::vector<SessionListener*> listeners_;
  int operations_ = 0;
  /// What the operations under way changed.
  SessionNotices notices_;
};

}  // namespace mirva
