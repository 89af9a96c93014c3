#include <algorithm>

#include "cli.h"
#include "posix_file_system.h"
#include "session/session.h"
#include "terminal_notifier.h"
#include "text/cp1251.h"
#include "writer_lock.h"

namespace mirva {

namespace {

void SetStationField(TStationCFG& station, const std::string& key, const std::string& value) {
  std::pair<const char*, std::string TStationCFG::*> fields[] = {
      {"call", &TStationCFG::Call}, {"country", &TStationCFG::Country}, {"itu", &TStationCFG::ITU},
      {"cq", &TStationCFG::CQ},     {"cont", &TStationCFG::Cont},       {"lat", &TStationCFG::Lat},
      {"long", &TStationCFG::Long}, {"state", &TStationCFG::State}};
  for (const auto& [name, member] : fields) {
    if (key == name) {
      station.*member = value;
      return;
    }
  }
  throw UsageError("unknown station key '" + key +
                   "' (call, country, itu, cq, cont, lat, long, state)");
}

/// Applies --station as the station dialog would: the callsign fills the country, zones,
/// continent and position, a country prefix fills them from that country, and the other
/// keys correct the filled texts.
void ApplyStationOptions(Session& session,
                         const std::vector<std::pair<std::string, std::string>>& options) {
  TStationCFG stored = session.StoredStation();
  for (const auto& [key, value] : options) {
    if (key == "call")
      FillStationFromCall(session.countries(), value, stored);
  }
  for (const auto& [key, value] : options) {
    if (key == "country")
      FillStationFromCountry(session.countries(), value, stored);
  }
  for (const auto& [key, value] : options)
    SetStationField(stored, key, value);
  session.SetStation(stored);
}

}  // namespace

CliContext::CliContext() = default;
CliContext::~CliContext() = default;

Session& CliContext::OpenSession() {
  return Open(false);
}

Session& CliContext::OpenContestSession() {
  if (!contest)
    throw UsageError("this command needs a contest: --contest NAME");
  return OpenSession();
}

Session& CliContext::OpenWriterSession() {
  return Open(true);
}

Session& CliContext::OpenWriterContestSession() {
  if (!contest)
    throw UsageError("this command needs a contest: --contest NAME");
  return OpenWriterSession();
}

Session& CliContext::Open(bool writer) {
  if (session_)
    return *session_;
  if (writer)
    lock_ = std::make_unique<WriterLock>(dir, "mirva-cli", wait);
  fs_ = std::make_unique<PosixFileSystem>();
  notifier_ = std::make_unique<TerminalNotifier>(yes);
  session_ = std::make_unique<Session>(*fs_, *notifier_, dir);
  LogLoadReport report = session_->Start(writer ? LogAccess::kWrite : LogAccess::kRead);
  // A writer at work may be half-way through an append: its record is not torn.
  if (!writer && report.torn_bytes > 0 && !WriterLock::Holder(dir))
    notifier_->ShowMessage(session_->TornTailMessage(report));
  ApplyStationOptions(*session_, station);
  if (contest) {
    if (!FindContestRules(*contest))
      throw UsageError("no contest is called '" + Cp1251ToUtf8(*contest) + "'");
    if (!session_->SelectContest(*contest))
      throw std::runtime_error("The contest '" + *contest + "' could not be set up");
  }
  return *session_;
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
  typed_args_.erase(typed_args_.begin() + (it - args.begin()));
  args.erase(it);
  return true;
}

void CliContext::RequireNoMoreArgs(std::string_view command) const {
  if (!args.empty())
    throw UsageError(std::string(command) + " does not take '" + Cp1251ToUtf8(args.front()) + "'");
}

}  // namespace mirva
