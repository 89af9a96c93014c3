#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/station.h"
#include "session/stored_settings.h"

namespace mirva {

/// The file in a working directory that keeps what belongs to its log.
inline constexpr char kWorkspaceFileName[] = "workspace.ini";

/// Its sections and keys: the contest by its display name, the station texts under the names of
/// the station dialog's edits, the entry's band and mode, and the report windows' header texts
/// under their controls' names.
inline constexpr char kWorkspaceContestSection[] = "Contest";
inline constexpr char kWorkspaceContestKey[] = "Name";
inline constexpr char kWorkspaceStationSection[] = "Station configuration";
inline constexpr char kWorkspaceEntrySection[] = "New QSO";
inline constexpr char kWorkspaceBandKey[] = "cbBand";
inline constexpr char kWorkspaceModeKey[] = "cbMode";
inline constexpr char kWorkspaceCabrilloSection[] = "Cabrillo";
inline constexpr char kWorkspaceSummarySection[] = "StandartReport";
inline constexpr char kWorkspaceGroupSection[] = "Group";
inline constexpr char kWorkspaceHistorySection[] = "Call history";
inline constexpr char kWorkspaceHistoryFilesKey[] = "Files";
inline constexpr char kWorkspaceReplicasKey[] = "Replicas";
inline constexpr char kWorkspaceSerialsPerBandKey[] = "SerialsPerBand";
/// The most nodes a broker's cluster keeps one stream on.
inline constexpr int kMaxGroupReplicas = 5;

/// Header texts of a report window by control name; a memo's lines are joined by "\n".
using HeaderTexts = std::map<std::string, std::string>;

/// How the station reaches its group's log: the broker, the group, its own name there, the
/// file that holds the shared secret (the secret itself is never stored here) and, for a broker
/// reached over TLS, the file of the certificates its own is checked against. `server` may list
/// the nodes of a cluster, comma-separated; `replicas` is how many of them keep the group's
/// stream when this station is the one that creates it; `serials_per_band` numbers the QSOs
/// of each band on their own (for multi-transmitter categories).
struct GroupSettings {
  std::string server;
  std::string group;
  std::string station;
  std::string secret_file;
  std::string ca_file;
  int replicas = 1;
  bool serials_per_band = false;
  std::string op;  ///< who operates the station now, as the other stations see it

  bool operator==(const GroupSettings&) const = default;
};

/// What a working directory keeps of its log, in Windows-1251.
struct WorkspaceSettings {
  std::string contest;  ///< the contest's display name; empty when none was chosen
  std::optional<TStationCFG> station;
  std::string band;
  std::string mode;
  HeaderTexts cabrillo;
  HeaderTexts summary;
  GroupSettings group;
  /// The call history files, one path a line.
  std::string history_files;

  bool operator==(const WorkspaceSettings&) const = default;
};

struct ParsedWorkspace {
  WorkspaceSettings settings;
  std::vector<SettingsNotice> notices;
};

/// Reads the file's text as private-profile (INI) lines. A value's "\n" is a line break and
/// "\\" a backslash. A station text that the station's rule refuses (StationValueProblem) is
/// left out with a notice, as is a line that is neither a section header nor KEY=VALUE.
ParsedWorkspace ParseWorkspaceSettings(std::string_view text);

/// The file's text: what ParseWorkspaceSettings reads back as `settings`.
std::string WorkspaceSettingsText(const WorkspaceSettings& settings);

/// The first station text that the station's rule refuses, as "<field>: <why>, not "<text>"";
/// empty when there is none.
std::string StationRefusal(const TStationCFG& station);

}  // namespace mirva
