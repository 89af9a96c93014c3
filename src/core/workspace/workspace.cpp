#include "workspace/workspace.h"

#include <algorithm>
#include <stdexcept>

#include "error.h"
#include "replace_file.h"
#include "text/path_text.h"

namespace mirva {

namespace {

/// How many notices of the settings file the operator is told one by one.
constexpr std::size_t kNoticesTold = 10;

bool HasValues(const WorkspaceSettings& settings) {
  return settings != WorkspaceSettings{};
}

}  // namespace

LastValues LastValuesOf(const StoredSettings& stored) {
  LastValues last;
  last.contest_index = stored.contest_index;
  last.settings.contest = stored.contest_name;
  last.settings.station = stored.station;
  last.settings.band = stored.band;
  last.settings.mode = stored.mode;
  last.settings.cabrillo = stored.cabrillo;
  last.settings.summary = stored.summary;
  return last;
}

Workspace::Workspace(FileSystem& fs, Notifier& notifier, std::string dir)
    : session_(fs, notifier, std::move(dir)) {}

StartResult Workspace::Start(const StartOptions& options) {
  StartResult result;
  result.log = session_.Start(options.access);
  session_.LoadCatalogue();
  ReadSettings(options, result);
  TStationCFG station = settings_.station.value_or(TStationCFG{});
  if (options.station)
    station = options.station(session_, station);
  session_.SetStation(station);
  result.why = SetUpContest(options.contest);
  result.outcome = Outcome();
  return result;
}

void Workspace::ReadSettings(const StartOptions& options, StartResult& result) {
  FileSystem& fs = session_.fs();
  Notifier& notifier = session_.notifier();
  const std::string path = SettingsPath();
  const std::string file = "The settings file " + PathText(path);
  if (std::optional<std::string> text = fs.ReadFile(path)) {
    ParsedWorkspace parsed = ParseWorkspaceSettings(*text);
    settings_ = std::move(parsed.settings);
    const std::vector<SettingsNotice>& notices = parsed.notices;
    for (std::size_t i = 0; i < std::min(notices.size(), kNoticesTold); ++i)
      notifier.ShowMessage(file + ", line " + std::to_string(notices[i].line) + ": " +
                           notices[i].text + ".");
    if (notices.size() > kNoticesTold)
      notifier.ShowMessage(file + ": " + std::to_string(notices.size() - kNoticesTold) +
                           " more lines or values are left out.");
    return;
  }
  if (fs.Exists(path)) {
    // Kept as it is: a change made now would write over what it holds.
    notifier.ShowError(file + " cannot be read; the contest and the station must be chosen again.");
    return;
  }
  // A first opening: the user's last values, else the catalogue's first contest.
  const LastValues* last = options.last;
  if (last)
    settings_ = last->settings;
  if (settings_.contest.empty())
    settings_.contest = ContestAt(last && last->contest_index ? *last->contest_index : 0);
  result.took_last_values = last && (HasValues(last->settings) || last->contest_index);
  std::string call = settings_.station ? settings_.station->Call : "";
  std::string taken = "This log has no settings of its own yet: it starts with the contest (" +
                      (settings_.contest.empty() ? "none" : settings_.contest) +
                      "), the station (" + (call.empty() ? "none" : call) +
                      ") and the report headers used last";
  // A start that keeps nothing, a command's, tells nothing either: each one takes them anew.
  if (!options.store_taken)
    return;
  try {
    if (HasValues(settings_))
      Save();
    if (result.took_last_values)
      result.notice = taken + ", kept from now on in " + PathText(path) + ".";
  } catch (const IoError& error) {
    notifier.ShowError(error.what());
  }
}

std::string Workspace::ContestAt(std::optional<int> index) const {
  const std::vector<std::string>& catalogue = session_.ContestCatalogue();
  if (!index || *index < 0 || *index >= static_cast<int>(catalogue.size()))
    return "";
  return catalogue[static_cast<std::size_t>(*index)];
}

std::string Workspace::SetUpContest(const std::optional<std::string>& contest) {
  const std::string& name = contest ? *contest : settings_.contest;
  if (name.empty())
    return "no contest is kept in " + PathText(SettingsPath());
  const std::vector<std::string>& catalogue = session_.ContestCatalogue();
  if (!contest && std::find(catalogue.begin(), catalogue.end(), name) == catalogue.end())
    return "the contest kept in " + PathText(SettingsPath()) + ", \"" + name + "\", is not in " +
           kCatalogueFileName;
  if (!contest) {
    CatalogueLine line = CheckCatalogueLine(name);
    if (!line.rules)
      return "the contest kept in " + PathText(SettingsPath()) + ", '" + name +
             "', names no contest: " + line.problem;
  }
  if (!session_.SelectContest(name))
    return "the contest \"" + name + "\" could not be set up";
  return "";
}

StartOutcome Workspace::Outcome() const {
  if (!session_.HasContest())
    return StartOutcome::kNeedsContest;
  if (session_.StationCfg().Call.empty())
    return StartOutcome::kNeedsStation;
  return StartOutcome::kReady;
}

bool Workspace::ChooseContest(std::string_view name) {
  if (!session_.SelectContest(name))
    return false;
  if (settings_.contest != name) {
    settings_.contest = name;
    Save();
  }
  return true;
}

void Workspace::ChangeStation(const TStationCFG& station) {
  std::string refusal = StationRefusal(station);
  if (!refusal.empty())
    throw std::invalid_argument(refusal);
  if (settings_.station != station) {
    WorkspaceSettings changed = settings_;
    changed.station = station;
    std::swap(settings_, changed);
    try {
      Save();
    } catch (...) {
      std::swap(settings_, changed);
      throw;
    }
  }
  session_.SetStation(station);
  if (session_.HasContest())
    session_.SelectContest(session_.Contest().Name);
}

void Workspace::SetHistoryFiles(const std::string& files) {
  if (settings_.history_files == files)
    return;
  std::string before = settings_.history_files;
  settings_.history_files = files;
  try {
    Save();
  } catch (...) {
    settings_.history_files = before;
    throw;
  }
}

void Workspace::SetGroupSettings(const GroupSettings& group) {
  if (settings_.group == group)
    return;
  GroupSettings before = settings_.group;
  settings_.group = group;
  try {
    Save();
  } catch (...) {
    settings_.group = before;
    throw;
  }
}

void Workspace::SetEntryBandMode(const std::string& band, const std::string& mode) {
  if (settings_.band == band && settings_.mode == mode)
    return;
  settings_.band = band;
  settings_.mode = mode;
  Save();
}

void Workspace::SetHeaderTexts(std::string_view section, const HeaderTexts& texts) {
  HeaderTexts& stored =
      section == kWorkspaceCabrilloSection ? settings_.cabrillo : settings_.summary;
  if (stored == texts)
    return;
  stored = texts;
  Save();
}

void Workspace::Save() {
  ReplaceFile(session_.fs(), SettingsPath(), WorkspaceSettingsText(settings_),
              "The settings could not be written to");
}

}  // namespace mirva
