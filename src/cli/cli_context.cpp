#include <algorithm>

#include "cli.h"
#include "group/group_serial_source.h"
#include "group/group_serials.h"
#include "group/group_sync.h"
#include "history/history_files.h"
#include "native_file_system.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "settings_path.h"
#include "terminal_notifier.h"
#include "text/cp1251.h"
#include "workspace/workspace.h"
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
TStationCFG ApplyStationOptions(const Session& session, TStationCFG station,
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
  return station;
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
  if (workspace_)
    return workspace_->session();
  if (contest && !FindContestRules(*contest))
    throw UsageError(UnknownContest(*contest));
  fs_ = std::make_unique<NativeFileSystem>();
  notifier_ = std::make_unique<TerminalNotifier>(yes);
  StoredSettings stored = LoadUserSettings(*fs_, *notifier_);
  radio = stored.radio;
  LastValues last = LastValuesOf(stored);
  if (writer)
    lock_ = std::make_unique<WriterLock>(dir, "mirva-cli", wait);
  workspace_ = std::make_unique<Workspace>(*fs_, *notifier_, dir);
  StartOptions options;
  options.access = writer ? LogAccess::kWrite : LogAccess::kRead;
  options.last = &last;
  // A command changes no setting of the directory; the program keeps them.
  options.store_taken = false;
  options.contest = contest;
  options.station = [this](const Session& session, TStationCFG stored_station) {
    return ApplyStationOptions(session, std::move(stored_station), station);
  };
  StartResult result = Start(options, needs);
  Session& session = workspace_->session();
  // A writer at work may be half-way through an append: its record is not torn.
  if (!writer && result.log.torn_bytes > 0 && !WriterLock::Holder(dir))
    notifier_->ShowMessage(session.TornTailMessage(result.log));
  if (writer)
    SettleGroupSideFile(session);
  session.SetCallHistory(&History());
  if (session.HasContest()) {
    contest = session.Contest().Name;
    UseGroupSerials(session);
  } else if (contest) {
    throw std::runtime_error("The contest '" + *contest + "' could not be set up");
  } else if (needs_contest) {
    throw UsageError("this command needs a contest: --contest NAME, and " + result.why);
  }
  return session;
}

StartResult CliContext::Start(const StartOptions& options, Needs needs) {
  std::vector<std::string> notices;
  notifier_->DivertErrors([&notices](const std::string& text) { notices.push_back(text); });
  StartResult result;
  try {
    result = workspace_->Start(options);
  } catch (...) {
    notifier_->DivertErrors(nullptr);
    for (const std::string& notice : notices)
      notifier_->ShowError(notice);
    throw;
  }
  notifier_->DivertErrors(nullptr);
  const Session& session = workspace_->session();
  if (session.HasContest() && needs != Needs::kLog)
    session.RequireCountryFile();
  const StationFit& fit = session.FitOfStation();
  for (const std::string& notice : notices) {
    if (session.HasContest() && needs == Needs::kScoring && fit.scores_nothing &&
        notice == fit.problem)
      continue;
    notifier_->ShowError(notice);
  }
  return result;
}

void CliContext::UseGroupSerials(Session& session) {
  const GroupSettings& group = settings().group;
  if (group.group.empty() || !session.NumbersQsos())
    return;
  std::string path = session.PathOf(kGroupSerialsFileName);
  serials_ = std::make_unique<GroupSerials>(LoadGroupSerials(*fs_, path));
  auto source = std::make_unique<GroupSerialSource>(*serials_, group.serials_per_band, *fs_, path);
  // A writer apart from its follower for long runs dry: it asks the group itself rather than
  // going on from its own numbers, which other stations may be sending at the same time.
  if (lock_ && settle_group)
    source->SetRefill(GroupSerialRefill(session, *fs_, *notifier_, group, *serials_));
  serial_source_ = std::move(source);
  session.SetSerialSource(serial_source_.get());
}

void CliContext::SettleGroupSideFile(Session& session) {
  const GroupSettings& group = settings().group;
  if (!settle_group || group.station.empty())
    return;
  try {
    // Only a change cut short needs it; the whole log is compared at the next exchange anyway.
    std::optional<std::string> text = fs_->ReadFile(session.PathOf(kGroupIdsFileName));
    std::optional<GroupIds> ids = text ? ParseGroupIds(*text) : std::nullopt;
    if (!ids || !ChangeUnderWay(*ids))
      return;
    OfflineTransport offline;
    GroupSync(session, *fs_, dir, group.station, offline).RecordLocalChanges();
  } catch (const std::exception& e) {
    // The log stays the truth: the next exchange compares it with the side file all the same.
    notifier_->ShowError(std::string("The group's side file was not brought up to date: ") +
                         e.what());
  }
}

const CallHistory& CliContext::History() {
  if (history_)
    return *history_;
  std::vector<std::string> paths = history_files;
  if (paths.empty()) {
    for (const std::string& path : HistoryPaths(workspace_->settings().history_files))
      paths.push_back(Cp1251ToUtf8(path));
  }
  LoadedHistory loaded = LoadCallHistory(*fs_, dir, paths);
  for (const HistoryFileReport& report : loaded.reports) {
    if (!report.problem.empty() || report.skipped > 0)
      notifier_->ShowMessage(HistoryReportText(report));
  }
  history_ = std::move(loaded.history);
  return *history_;
}

void CliContext::Close() {
  workspace_.reset();
  serial_source_.reset();
  serials_.reset();
  lock_.reset();
}

const WorkspaceSettings& CliContext::settings() const {
  return workspace_->settings();
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
