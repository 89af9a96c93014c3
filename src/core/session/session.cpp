#include "session/session.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "contest/rules/exchange.h"
#include "error.h"
#include "history/call_history.h"
#include "history/history_columns.h"
#include "log/input_rule.h"
#include "reference/callsign.h"
#include "scoring/dupe.h"
#include "scoring/impossible_qsos.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// What the operator is told of the records that cannot be QSOs: how many, and the numbers
/// (from 1) of the first few.
std::string ImpossibleQsosNotice(const std::vector<std::size_t>& positions) {
  constexpr std::size_t kNamed = 5;
  bool one = positions.size() == 1;
  std::string text = std::to_string(positions.size()) + (one ? " record of " : " records of ") +
                     kLogFileName + (one ? " cannot be a QSO: " : " cannot be QSOs: ");
  for (std::size_t i = 0; i < positions.size() && i < kNamed; ++i)
    text += (i > 0 ? ", " : "") + std::to_string(positions[i] + 1);
  text += positions.size() > kNamed ? ", ..." : ".";
  return text + (one ? " It is kept; look at its" : " They are kept; look at their") +
         " callsign, date, time, band and mode.";
}

}  // namespace

Session::Session(FileSystem& fs, Notifier& notifier, std::string dir)
    : fs_(&fs), notifier_(notifier), log_(fs, std::move(dir)) {
  country_problem_ = "The country file " + PathText(PathOf(kCountryFileName)) +
                     " has not been read yet. No QSO can be scored without it.";
}

Session::Operation::Operation(Session& session) : session_(session), hold_(session.notifier_) {
  ++session_.operations_;
}

Session::Operation::~Operation() {
  // Still open while the listeners hear: what one of them changes in turn is told after.
  if (session_.operations_ == 1) {
    while (session_.notices_.Any()) {
      SessionNotices notices = std::exchange(session_.notices_, {});
      // By index: a listener may come or go while it is told.
      for (std::size_t i = 0; i < session_.listeners_.size(); ++i)
        notices.Tell(*session_.listeners_[i]);
    }
  }
  --session_.operations_;
}

void Session::AddListener(SessionListener* listener) {
  listeners_.push_back(listener);
}

void Session::RemoveListener(SessionListener* listener) {
  std::erase(listeners_, listener);
}

LogLoadReport Session::Start(LogAccess access) {
  Operation operation(*this);
  LoadCountryFile(1);
  LogLoadReport report = log_.LoadLog(access);
  notices_.log = true;
  RebuildTotals();
  if (access == LogAccess::kWrite && report.torn_bytes > 0)
    notifier_.ShowMessage(TornTailMessage(report));
  std::vector<std::size_t> impossible = ImpossibleQsos(log_.QSOLog(), AllBandsAndModes(RuleView()));
  if (!impossible.empty())
    notifier_.ShowMessage(ImpossibleQsosNotice(impossible));
  return report;
}

std::string Session::TornTailMessage(const LogLoadReport& report) const {
  std::string text = "The log file " + PathText(PathOf(kLogFileName)) +
                     " ends with a partial record of " + std::to_string(report.torn_bytes) +
                     " bytes. The " + std::to_string(log_.QSOLog().size()) +
                     " complete QSOs were loaded; ";
  if (report.torn_cut)
    return text + "the partial record was saved as " + report.torn_copy + ".";
  if (!report.set_aside_error.empty())
    return text + "the partial record could not be set aside (" + report.set_aside_error +
           "). The log is left as it is, and no QSO can be logged, edited or deleted until " +
           "the partial record can be set aside.";
  return text + "the partial record was left as it is until a program opens the log to change it.";
}

void Session::LoadCatalogue() {
  ContestCatalogue_.clear();
  if (std::optional<std::string> text = fs_->ReadFile(PathOf(kCatalogueFileName))) {
    for (std::string_view line : SplitLines(*text))
      ContestCatalogue_.emplace_back(line);
  }
}

void Session::SetStation(const TStationCFG& station) {
  Operation operation(*this);
  StoredStation_ = station;
  StationCfg_ = station;
  station_fit_ = JudgeStation();
  notices_.station = true;
}

StationFit Session::JudgeStation() const {
  return rules_ && rules_->station_fit ? rules_->station_fit(StationCfg_) : StationFit{};
}

bool Session::SetupContest(std::string_view name) {
  const ContestRules* rules = FindContestRules(name);
  if (!rules)
    return false;
  Operation operation(*this);
  bool done = InstallContest(*rules);
  RebuildTotals();
  return done;
}

bool Session::InstallContest(const ContestRules& rules) {
  contest_.QsoStat.Blank();
  LoadCountryFile(1);
  StationCfg_ = StoredStation_;
  bool loaded = LoadReferenceFiles(rules);
  std::optional<ContestSetup> setup = rules.define(RuleView(), rules);
  if (setup)
    Install(std::move(*setup));
  // The rules follow the contest actually in place, even after a definition that failed.
  rules_ = contest_.Contest ? FindContestRules(contest_.Contest->Name) : nullptr;
  for (int k = 0; k < 3; ++k)
    contest_.MultNames[k].Rebuild(contest_.MultList(k));
  station_fit_ = JudgeStation();
  notices_.contest = true;
  notices_.station = true;
  if (!station_fit_.problem.empty())
    notifier_.ShowError(station_fit_.problem);
  return setup && loaded;
}

void Session::Install(ContestSetup setup) {
  contest_.QsoStat.WriteHeaders(setup.Contest);
  contest_.Contest = std::move(setup.Contest);
  contest_.MultCaptions = std::move(setup.MultCaptions);
  contest_.MultList1 = std::move(setup.MultList1);
  contest_.MultList2 = std::move(setup.MultList2);
  contest_.MultList3 = std::move(setup.MultList3);
  StationCfg_ = std::move(setup.StationCfg);
  for (const auto& [prefix, name] : setup.CountryNames) {
    for (std::size_t i = 0; i < countries_.CountryList().size(); ++i) {
      if (countries_.CountryList()[i].Prefix == prefix)
        countries_.SetCountryName(i, name);
    }
  }
}

void Session::RebuildTotals() {
  Operation operation(*this);
  mirva::RebuildTotals(contest_, totals_, rules_, log_);
  notices_.totals = true;
}

const TContest& Session::Contest() const {
  if (!contest_.Contest)
    throw std::logic_error("No contest is set up");
  return *contest_.Contest;
}

RuleContext Session::RuleView() const {
  return {.StationCfg = StationCfg_,
          .countries = countries_,
          .DomesticList = DomesticList_,
          .PointsTable = PointsTable_,
          .log = log_,
          .use_wae = !contest_.Contest || contest_.Contest->UseWAE,
          .serials = serials_};
}

ScoredQso Session::SaveQso(const TQSOData& fields) {
  Operation operation(*this);
  RequireCountryFile();
  ScoredQso scored = ScoreQso(Scoring(), fields);
  if (scored.dupe)
    scored.record.Note = kDupeMarker + scored.record.Note;
  // The number leaves the pool first: a crash before the QSO is written leaves a gap, never a
  // number handed out again.
  if (serials_ && NumbersQsos()) {
    int32_t sent = LeadingNumber(Trim(scored.record.NumberSent));
    if (sent > 0)
      serials_->Spent(scored.record.Band, static_cast<uint64_t>(sent));
  }
  log_.AppendQSO(scored.record);
  UpdateAfterAppend(contest_, totals_, rules_, log_, scored.record, scored.mults);
  notices_.Appended(log_.QSOLog().size() - 1);
  notices_.totals = true;
  return scored;
}

void Session::EditQso(std::size_t index, const TQSOData& edited) {
  Operation operation(*this);
  if (index >= log_.QSOLog().size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  // A record that came with a blank callsign may keep it, but no edit makes one.
  if (Trim(edited.Call).empty() && !Trim(log_.QSOLog().Record(index).Call()).empty())
    throw std::invalid_argument(kEmptyCallMessage);
  TQSOData record = log_.QSOLog()[index];
  record.QSODate = edited.QSODate;
  record.QSOTime = edited.QSOTime;
  record.Call = edited.Call;
  record.Band = edited.Band;
  record.Mode = edited.Mode;
  record.RprtSent = edited.RprtSent;
  record.NumberSent = edited.NumberSent;
  record.RprtRcvd = edited.RprtRcvd;
  record.NumberRcvd = edited.NumberRcvd;
  record.Note = edited.Note;
  CutToFieldSizes(record);
  record.NumberRcvd = NormalizeReceivedExchange(record);
  log_.RewriteQSO(index, std::move(record));
  RefreshQsoTable(contest_, totals_, log_);
  notices_.Changed(index);
  notices_.totals = true;
}

void Session::DeleteQso(std::size_t index) {
  Operation operation(*this);
  log_.DeleteQSO(index);
  notices_.log = true;
  RebuildTotals();
}

void Session::ClearLog() {
  Operation operation(*this);
  log_.ClearLog();
  notices_.log = true;
  RebuildTotals();
}

void Session::AppendRecords(std::span<const TQSOData> records) {
  Operation operation(*this);
  notices_.log = true;
  log_.BeginBatch();
  try {
    for (const TQSOData& record : records)
      log_.AppendQSO(record);
  } catch (const IoError&) {
    try {
      log_.EndBatch();
    } catch (const IoError&) {
    }
    RebuildTotals();
    throw;
  }
  log_.EndBatch();
  RebuildTotals();
}

void Session::ReplaceRecords(std::span<const TQSOData> records) {
  Operation operation(*this);
  notices_.log = true;
  log_.RequireChangeable();
  try {
    log_.ForgetInMemory();
    for (const TQSOData& record : records)
      log_.AddInMemory(record);
    log_.SaveAll();
  } catch (const IoError&) {
    log_.LoadLog();
    RebuildTotals();
    throw;
  }
  RebuildTotals();
}

bool Session::FindCountry(std::string_view call, TCountry& rec) const {
  return countries_.FindCountry(call, rec, RuleView().use_wae);
}

bool Session::IsDupe(std::string_view call, std::string_view band, std::string_view mode,
                     std::string_view time) const {
  if (!rules_)
    return false;
  return mirva::IsDupe(rules_->dupe, log_, call, band, mode, time);
}

bool Session::IsDupe(const CallQsos& call, std::string_view band, std::string_view mode,
                     std::string_view time) const {
  if (!rules_)
    return false;
  return mirva::IsDupe(rules_->dupe, log_, call.qsos, band, mode, time);
}

PointsTriple Session::ComputeQsoPoints(const TQSOData& qso) const {
  if (!rules_ || !rules_->points)
    return {};
  return rules_->points(qso, RuleView());
}

std::string Session::NormalizeReceivedExchange(const TQSOData& qso) const {
  return mirva::NormalizeReceivedExchange(Scoring(), qso);
}

std::string Session::PredictReceivedExchange(std::string_view call) const {
  if (!rules_)
    return {};
  std::string known = HistoryExchange(call);
  if (!known.empty() || !rules_->predict)
    return known;
  return rules_->predict(call, false, {}, RuleView());
}

std::string Session::PredictReceivedExchange(std::string_view call,
                                             std::span<const TQSOData> previous) const {
  if (!rules_)
    return {};
  if (PreviousExchange(previous).empty()) {
    std::string known = HistoryExchange(call);
    if (!known.empty())
      return known;
  }
  if (!rules_->predict)
    return {};
  return rules_->predict(call, true, previous, RuleView());
}

bool Session::TakesFixedExchange(std::string_view call, std::string_view exchange) const {
  if (!rules_ || Trim(exchange).empty() || HistoryColumns(rules_->name).empty())
    return false;
  // A contest without a prediction of its own takes what its columns hold from every station.
  if (!rules_->predict)
    return true;
  TQSOData earlier;
  earlier.NumberRcvd = std::string(exchange);
  return !rules_->predict(call, true, std::span(&earlier, 1), RuleView()).empty();
}

std::string Session::HistoryExchange(std::string_view call) const {
  if (!history_ || !rules_)
    return {};
  std::string key = UpperCase(Trim(call));
  for (std::string_view column : HistoryColumns(rules_->name)) {
    std::string_view value = history_->Value(key, column);
    if (value.empty())
      continue;
    // A file's value never runs past what the received-exchange field holds.
    std::string exchange = CutTo(value, kNumberRcvdSlot.capacity);
    return TakesFixedExchange(call, exchange) ? exchange : std::string();
  }
  return {};
}

std::string Session::NextSentExchange(std::string_view band) const {
  if (!rules_ || !rules_->sent)
    return {};
  RuleContext view = RuleView();
  view.band = band;
  return rules_->sent(view);
}

namespace {

/// A source that only notes whether the rules asked it for a number.
class SerialProbe : public SerialSource {
 public:
  std::optional<uint64_t> Next(std::string_view) const override {
    asked = true;
    return 1;
  }
  uint64_t LastSent(std::string_view) const override { return 0; }
  void Spent(std::string_view, uint64_t) override {}
  mutable bool asked = false;
};

}  // namespace

bool Session::NumbersQsos() const {
  if (!rules_ || !rules_->sent)
    return false;
  SerialProbe probe;
  RuleContext view = RuleView();
  view.serials = &probe;
  try {
    rules_->sent(view);
  } catch (const ConversionError&) {
    // The rules gave up before they asked for a serial number.
  }
  return probe.asked;
}

TQSODataArr Session::PreviousQsos(std::string_view call) const {
  TQSODataArr previous;
  for (uint32_t i : log_.QsosOfCall(call))
    previous.push_back(log_.QSOLog()[i]);
  return previous;
}

void Session::ShowPreviousQSOs(std::string_view call) {
  std::span<const uint32_t> positions = log_.QsosOfCall(call);
  PrevQSOPositions_.assign(positions.begin(), positions.end());
  PrevQSOs_.clear();
  for (uint32_t i : PrevQSOPositions_)
    PrevQSOs_.push_back(log_.QSOLog()[i]);
}

}  // namespace mirva
