#include "session/session.h"

#include <optional>
#include <stdexcept>

#include "scoring/dupe.h"
#include "scoring/totals.h"
#include "text/strings.h"

namespace mirva {

Session::Session(FileSystem& fs, Notifier& notifier, std::string dir)
    : log(fs, std::move(dir)), fs_(&fs), notifier_(&notifier) {
  log.UpdateAfterAppend = [this](const TQSOData& record, uint8_t flags) {
    mirva::UpdateAfterAppend(*this, record, flags);
  };
  log.AfterReset = [this] { RebuildTotals(*this); };
}

void Session::Start() {
  LoadCountryFile(1);
  LogLoadReport report = log.LoadLog();
  if (report.torn_bytes > 0) {
    notifier_->ShowMessage(
        "The log file " + std::string(kLogFileName) + " ended with a partial record of " +
        std::to_string(report.torn_bytes) + " bytes. The " + std::to_string(log.QSOLog().size()) +
        " complete QSOs were loaded; the partial record was saved as " + report.torn_copy + ".");
  }
}

bool Session::LoadCountryFile(int which) {
  std::optional<std::string> text =
      fs_->ReadFile(PathOf(which == 2 ? kP150CountryFileName : kCountryFileName));
  countries.Load(text ? *text : std::string());
  return text.has_value();
}

void Session::LoadDomesticList(const std::string& file_name) {
  std::optional<std::string> text = fs_->ReadFile(PathOf(file_name));
  DomesticList = text ? ParseDomesticList(*text) : std::vector<TDomestic>();
}

void Session::LoadPointsTable() {
  PointsTable = TPointsTable();
  if (std::optional<std::string> text = fs_->ReadFile(PathOf(kPointsTableFileName)))
    ParsePointsTable(*text, PointsTable);
}

void Session::LoadCatalogue() {
  ContestCatalogue.clear();
  if (std::optional<std::string> text = fs_->ReadFile(PathOf(kCatalogueFileName))) {
    for (std::string_view line : SplitLines(*text))
      ContestCatalogue.emplace_back(line);
  }
}

bool Session::SetupRememberedContest() {
  if (ContestIndex < 0 || ContestIndex >= static_cast<int>(ContestCatalogue.size()))
    return false;
  return SetupContest(ContestCatalogue[ContestIndex]);
}

bool Session::SetupContest(std::string_view name) {
  contest.QsoStat.Blank();
  LoadCountryFile(1);
  StationCfg = StoredStation;
  const ContestRules* rules = FindContestRules(name);
  if (!rules)
    return false;
  bool defined = false;
  try {
    defined = rules->define(*this, *rules);
  } catch (const std::exception& e) {
    notifier_->ShowError(e.what());
  }
  // The rules follow the contest actually in place, even after a definition that failed.
  rules_ = contest.Contest ? FindContestRules(contest.Contest->Name) : nullptr;
  for (int k = 0; k < 3; ++k)
    contest.MultNames[k].Rebuild(contest.MultList(k));
  return defined;
}

bool Session::SelectContest(std::string_view name) {
  bool done = SetupContest(name);
  RebuildTotals(*this);
  return done;
}

const TContest& Session::Contest() const {
  if (!contest.Contest)
    throw std::logic_error("No contest is set up");
  return *contest.Contest;
}

bool Session::FindCountry(std::string_view call, TCountry& rec) const {
  bool allow_wae = !contest.Contest || contest.Contest->UseWAE;
  return countries.FindCountry(call, rec, allow_wae);
}

bool Session::IsDupe(std::string_view call, std::string_view band, std::string_view mode,
                     std::string_view time) const {
  if (!rules_)
    return false;
  return mirva::IsDupe(rules_->dupe, log, call, band, mode, time);
}

bool Session::IsDupe(const CallQsos& call, std::string_view band, std::string_view mode,
                     std::string_view time) const {
  if (!rules_)
    return false;
  return mirva::IsDupe(rules_->dupe, log, call.qsos, band, mode, time);
}

PointsTriple Session::ComputeQsoPoints(const TQSOData& qso) const {
  if (!rules_ || !rules_->points)
    return {};
  return rules_->points(qso, *this);
}

std::string Session::NormalizeReceivedExchange(const TQSOData& qso) const {
  if (!rules_ || !rules_->normalize)
    return qso.NumberRcvd;
  return rules_->normalize(qso, *this);
}

std::string Session::PredictReceivedExchange(std::string_view call, bool full) const {
  if (!rules_ || !rules_->predict)
    return {};
  return rules_->predict(call, full, *this);
}

std::string Session::NextSentExchange() const {
  if (!rules_ || !rules_->sent)
    return {};
  return rules_->sent(*this);
}

void Session::ShowPreviousQSOs(std::string_view call) {
  PrevQSOs.clear();
  for (uint32_t i : log.QsosOfCall(call))
    PrevQSOs.push_back(log.QSOLog()[i]);
}

}  // namespace mirva
