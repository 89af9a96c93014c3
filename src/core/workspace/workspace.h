#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "session/session.h"
#include "workspace/workspace_settings.h"

namespace mirva {

/// Where a start left the workspace: what the operator must give before QSOs can be logged.
enum class StartOutcome {
  kNeedsContest,  ///< no contest is chosen, or the chosen one cannot be set up
  kNeedsStation,  ///< the contest is set up, but the station has no callsign
  kReady,
};

struct StartResult {
  StartOutcome outcome = StartOutcome::kNeedsContest;
  /// Why a contest is needed, as a clause for the operator; empty otherwise.
  std::string why;
  LogLoadReport log;
  /// Whether the settings were taken from the user's last values: the directory had none.
  bool took_last_values = false;
  /// What the operator is told of settings taken and kept; shown once the windows are up.
  std::string notice;
};

/// The values a user worked with last, from the per-user settings: what a working directory
/// that has no settings file starts from.
struct LastValues {
  WorkspaceSettings settings;
  /// The contest as a position in the catalogue, when only that is stored.
  std::optional<int> contest_index;
};

/// The last values among the settings the program stored per user.
LastValues LastValuesOf(const StoredSettings& stored);

struct StartOptions {
  LogAccess access = LogAccess::kWrite;
  /// Taken when the directory has no settings file.
  const LastValues* last = nullptr;
  /// Whether settings taken from `last` are written to the directory at once, with a notice.
  bool store_taken = true;
  /// A contest to set up instead of the stored one, without storing it.
  std::optional<std::string> contest;
  /// Changes the stored station before it is applied, without storing the change; it may read
  /// the loaded country file.
  std::function<TStationCFG(const Session&, TStationCFG)> station;
};

/// One working directory: its session, the settings its log keeps beside it, and the start-up
/// that loads the log, applies the stored station and sets up the stored contest. The program
/// and mirva-cli both start through it. Every change of the settings is written to the
/// directory's settings file at once, in one step.
class Workspace {
 public:
  Workspace(FileSystem& fs, Notifier& notifier, std::string dir);

  Session& session() { return session_; }
  const Session& session() const { return session_; }
  const WorkspaceSettings& settings() const { return settings_; }
  std::string SettingsPath() const { return session_.PathOf(kWorkspaceFileName); }

  /// Loads the country file, the log, the catalogue and the settings, applies the station and
  /// sets up the contest. A directory without a settings file takes `options.last` and the
  /// operator is told. Throws IoError when the log cannot be read (or created by a writer).
  StartResult Start(const StartOptions& options = {});
  /// What the workspace needs now, as Start says it.
  StartOutcome Outcome() const;

  /// Sets up the contest, replays the log into it and stores its name; false, storing nothing,
  /// when it cannot be set up.
  bool ChooseContest(std::string_view name);
  /// Checks, stores and applies the station and sets up the contest again with it. Throws
  /// std::invalid_argument with the operator's message (StationRefusal), changing nothing,
  /// when a text is refused.
  void ChangeStation(const TStationCFG& station);
  /// Stores the entry's band and mode when they changed.
  void SetEntryBandMode(const std::string& band, const std::string& mode);
  /// Stores a report window's header texts (kWorkspaceCabrilloSection or
  /// kWorkspaceSummarySection) when they changed.
  void SetHeaderTexts(std::string_view section, const HeaderTexts& texts);
  /// Stores how the station reaches its group when it changed.
  void SetGroupSettings(const GroupSettings& group);
  /// Stores the call history files (paths one a line, Windows-1251) when they changed.
  void SetHistoryFiles(const std::string& files);

 private:
  /// The settings of the file, or of `last` when there is none; tells of what it leaves out.
  void ReadSettings(const StartOptions& options, StartResult& result);
  /// The contest the settings of an older start name by catalogue position.
  std::string ContestAt(std::optional<int> index) const;
  /// Sets up the stored contest (or `contest`); the reason when none could be.
  std::string SetUpContest(const std::optional<std::string>& contest);
  void Save();

  Session session_;
  WorkspaceSettings settings_;
};

}  // namespace mirva
