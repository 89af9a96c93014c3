#include <algorithm>

#include "cli.h"
#include "native_file_system.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "settings_path.h"
#include "terminal_notifier.h"
#include "text/cp1251.h"
#include "writer_lock.h"

namespace mirva {

namespace {

/// The station field a key of --station sets.
const StationSettingKey* FindStationKey(std::string_view name) {
  for (const StationSettingKey& key : kStationSettingKeys) {
    if (name == key.option)
      return &key;
  }
  return nullptr;
}

void SetStationField(TStationCFG& station, const std::string& key, const std::string& value) {
  station.*FindStationKey(key)->member = value;
}

/// Applies --station to the stored station as the station dialog would: the callsign fills
/// the country, zones, continent and position, a country prefix fills them from that
/// country, and the other keys correct the filled texts.
void ApplyStationOptions(Session& session, TStationCFG station,
                         const std::vector<std::pair<std::string, std::string>>& options) {
  for (const auto& [key, value] : options) {
    if (key == "call")
      FillStationFromCall(session.countries(), value, station);
  }
  for (const auto& [key, value] : options) {
    if (key == "country")
      FillStationFromCountry(session.countries(), value, station);
  }
  for (const auto& [key, value] : options)
    SetStationField(station, key, value);
  session.SetStation(station);
}

/// The contest at the stored catalogue position, when the catalogue has a line there that
/// names a contest; otherwise nothing, and `why` tells what is missing.
std::optional<std::string> StoredContest(Session& session, std::optional<int> index,
                                         std::string& why) {
  if (!index) {
    why = "no contest is stored in " + StoredSettingsPath();
    return std::nullopt;
  }
  session.LoadCatalogue();
  session.SetContestIndex(*index);
  const std::vector<std::string>& catalogue = session.ContestCatalogue();
  std::string line = "line " + std::to_string(*index) + " (from 0) of " + kCatalogueFileName;
  if (*index < 0 || *index >= static_cast<int>(catalogue.size())) {
    why = "the stored contest is " + line + ", which has " + std::to_string(catalogue.size()) +
          " lines";
    return std::nullopt;
  }
  const std::string& name = catalogue[*index];
  CatalogueLine checked = CheckCatalogueLine(name);
  if (!checked.rules) {
    why = "the stored contest is " + line + ", '" + Cp1251ToUtf8(name) +
          "', which names no contest: " + Cp1251ToUtf8(checked.problem);
    return std::nullopt;
  }
  return name;
}

/// Why --contest names no contest: how it differs from the contest it nearly names.
std::string UnknownContest(const std::string& name) {
  CatalogueLine checked = CheckCatalogueLine(name);
  std::string why = "no contest is called '" + Cp1251ToUtf8(name) + "'";
  return checked.meant ? why + ": " + Cp1251ToUtf8(checked.problem) : why;
}

}  // namespace

CliContext::CliContext() = default;
CliContext::~CliContext() = default;

void CliContext::AddStation(const std::string& pair) {
  std::size_t eq = pair.find('=');
  if (eq == std::string::npos)
    throw UsageError("--station takes KEY=VALUE, not '" + Cp1251ToUtf8(pair) + "'");
  std::string key = pair.substr(0, eq);
  std::string value = pair.substr(eq + 1);
  const StationSettingKey* found = FindStationKey(key);
  if (!found)
    throw UsageError("unknown station key '" + Cp1251ToUtf8(key) +
                     "' (call, country, itu, cq, cont, lat, long, state)");
  // An empty value clears the field, as a callsign of no country does in the dialog.
  std::string problem = StationValueProblem(found->member, value);
  if (!problem.empty())
    throw UsageError("--station " + Cp1251ToUtf8(pair) + ": " + problem);
  station.emplace_back(std::move(key), std::move(value));
}

Session& CliContext::OpenSession() {
  return Open(false, false);
}

Session& CliContext::OpenContestSession(Needs needs) {
  return Open(false, true, needs);
}

Session& CliContext::OpenWriterSession() {
  return Open(true, false);
}

Session& CliContext::OpenWriterContestSession(Needs needs) {
  return Open(true, true, needs);
}

Session& CliContext::Open(bool writer, bool needs_contest, Needs needs) {
  if (session_)
    return *session_;
  if (contest && !FindContestRules(*contest))
    throw UsageError(UnknownContest(*contest));
  fs_ = std::make_unique<NativeFileSystem>();
  notifier_ = std::make_unique<TerminalNotifier>(yes);
  auto session = std::make_unique<Session>(*fs_, *notifier_, dir);
  StoredSettings stored = LoadUserSettings(*fs_, *notifier_);
  radio = stored.radio;
  std::string no_contest;
  if (!contest)
    contest = StoredContest(*session, stored.contest_index, no_contest);
  if (needs_contest && !contest)
    throw UsageError("this command needs a contest: --contest NAME, and " + no_contest);
  if (writer)
    lock_ = std::make_unique<WriterLock>(dir, "mirva-cli", wait);
  session_ = std::move(session);
  LogLoadReport report = session_->Start(writer ? LogAccess::kWrite : LogAccess::kRead);
  // A writer at work may be half-way through an append: its record is not torn.
  if (!writer && report.torn_bytes > 0 && !WriterLock::Holder(dir))
    notifier_->ShowMessage(session_->TornTailMessage(report));
  ApplyStationOptions(*session_, stored.station.value_or(TStationCFG{}), station);
  if (contest)
    SetUpContest(needs);
  return *session_;
}

void CliContext::SetUpContest(Needs needs) {
  std::vector<std::string> notices;
  notifier_->DivertErrors([&notices](const std::string& text) { notices.push_back(text); });
  bool set_up = false;
  try {
    set_up = session_->SelectContest(*contest);
  } catch (...) {
    notifier_->DivertErrors(nullptr);
    for (const std::string& notice : notices)
      notifier_->ShowError(notice);
    throw;
  }
  notifier_->DivertErrors(nullptr);
  if (set_up && needs != Needs::kLog)
    session_->RequireCountryFile();
  const StationFit& fit = session_->FitOfStation();
  for (const std::string& notice : notices) {
    if (set_up && needs == Needs::kScoring && fit.scores_nothing && notice == fit.problem)
      continue;
    notifier_->ShowError(notice);
  }
  if (!set_up)
    throw std::runtime_error("The contest '" + *contest + "' could not be set up");
}

void CliContext::AddArg(const std::string& word) {
  args.push_back(Utf8ToCp1251(word));
  typed_args_.push_back(word);
}

std::optional<std::string> CliContext::TakeOption(std::string_view name) {
  std::optional<std::string> typed = TakePathOption(name);
  if (typed)
    *typed = Utf8ToCp1251(*typed);
  return typed;
}

std::vector<std::string> CliContext::TakeRepeatedOption(std::string_view name) {
  std::vector<std::string> values;
  while (std::optional<std::string> value = TakeOption(name))
    values.push_back(*value);
  return values;
}

std::optional<std::string> CliContext::TakePathOption(std::string_view name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end())
    return std::nullopt;
  if (it + 1 == args.end())
    throw UsageError(std::string(name) + " needs a value");
  taken_.emplace_back(name);
  auto at = it - args.begin();
  std::string value = typed_args_[at + 1];
  args.erase(it, it + 2);
  typed_args_.erase(typed_args_.begin() + at, typed_args_.begin() + at + 2);
  return value;
}

bool CliContext::TakeFlag(std::string_view name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end())
    return false;
  taken_.emplace_back(name);
  typed_args_.erase(typed_args_.begin() + (it - args.begin()));
  args.erase(it);
  return true;
}

void CliContext::RequireNoMoreArgs(std::string_view command, std::size_t words) const {
  for (const std::string& arg : args) {
    if (!arg.starts_with("--"))
      continue;
    if (std::find(taken_.begin(), taken_.end(), arg) != taken_.end())
      throw UsageError(Cp1251ToUtf8(arg) + " is given more than once");
    throw UsageError(std::string(command) + " does not take the option '" + Cp1251ToUtf8(arg) +
                     "'");
  }
  if (args.size() > words)
    throw UsageError(std::string(command) + " does not take '" + Cp1251ToUtf8(args[words]) + "'");
}

}  // namespace mirva
