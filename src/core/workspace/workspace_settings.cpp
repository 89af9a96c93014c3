#include "workspace/workspace_settings.h"

#include <charconv>
#include <utility>

#include "link/ini_file.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The keys of the group's settings, in the order they are written.
constexpr std::pair<const char*, std::string GroupSettings::*> kGroupKeys[] = {
    {"Server", &GroupSettings::server},   {"Name", &GroupSettings::group},
    {"Station", &GroupSettings::station}, {"SecretFile", &GroupSettings::secret_file},
    {"CaFile", &GroupSettings::ca_file},  {"Operator", &GroupSettings::op},
};

/// A value on one line: a line break as "\n", a backslash as "\\".
std::string Escaped(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\\')
      line += "\\\\";
    else if (c == '\n')
      line += "\\n";
    else if (c != '\r')
      line += c;
  }
  return line;
}

std::string Unescaped(std::string_view line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == '\\'))
      text += line[++i] == 'n' ? '\n' : '\\';
    else
      text += line[i];
  }
  return text;
}

/// The key of a KEY=VALUE line, blanks trimmed; nothing for any other line.
std::optional<std::string> KeyOf(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos)
    return std::nullopt;
  return std::string(Trim(line.substr(0, eq)));
}

class Reader {
 public:
  explicit Reader(std::string_view text) : ini_(IniFile::Parse(text)) {}

  ParsedWorkspace Read(std::string_view text) {
    ReadLines(text);
    WorkspaceSettings& s = parsed_.settings;
    s.contest = Value(kWorkspaceContestSection, kWorkspaceContestKey);
    s.band = Value(kWorkspaceEntrySection, kWorkspaceBandKey);
    s.mode = Value(kWorkspaceEntrySection, kWorkspaceModeKey);
    if (!station_keys_.empty())
      s.station = Station();
    for (const std::string& key : cabrillo_keys_)
      s.cabrillo[key] = Value(kWorkspaceCabrilloSection, key);
    for (const std::string& key : summary_keys_)
      s.summary[key] = Value(kWorkspaceSummarySection, key);
    for (const auto& [key, member] : kGroupKeys)
      s.group.*member = Value(kWorkspaceGroupSection, key);
    s.group.replicas = Replicas();
    s.group.serials_per_band =
        UpperCase(Value(kWorkspaceGroupSection, kWorkspaceSerialsPerBandKey)) == "YES";
    s.history_files = Value(kWorkspaceHistorySection, kWorkspaceHistoryFilesKey);
    return std::move(parsed_);
  }

 private:
  /// Finds which keys each section holds, and the lines that are no setting.
  void ReadLines(std::string_view text) {
    std::string section;
    std::size_t number = 0;
    for (std::string_view raw : SplitLines(text)) {
      ++number;
      std::string_view line = Trim(raw);
      if (line.empty() || line.front() == ';')
        continue;
      if (line.front() == '[') {
        section = std::string(Trim(line.substr(1, line.find(']') - 1)));
        continue;
      }
      std::optional<std::string> key = KeyOf(line);
      if (!key || section.empty()) {
        parsed_.notices.push_back(
            {number,
             ShortQuote(line) + " is neither a [section] nor a KEY=VALUE line; it is skipped"});
        continue;
      }
      Remember(section, *key, number);
    }
  }

  void Remember(const std::string& section, const std::string& key, std::size_t number) {
    if (section == kWorkspaceStationSection)
      station_keys_.push_back({key, number});
    else if (section == kWorkspaceCabrilloSection)
      AddKey(cabrillo_keys_, key);
    else if (section == kWorkspaceSummarySection)
      AddKey(summary_keys_, key);
    else if (section == kWorkspaceGroupSection && key == kWorkspaceReplicasKey)
      replicas_line_ = number;
  }

  /// The stored number of replicas; 1 when none is stored, and when the stored one is no count
  /// a cluster can keep, with a notice.
  int Replicas() {
    std::string text = Value(kWorkspaceGroupSection, kWorkspaceReplicasKey);
    if (text.empty())
      return 1;
    int replicas = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), replicas);
    if (error == std::errc() && end == text.data() + text.size() && replicas >= 1 &&
        replicas <= kMaxGroupReplicas)
      return replicas;
    parsed_.notices.push_back({replicas_line_, "the group's replicas are 1 to " +
                                                   std::to_string(kMaxGroupReplicas) + ", not " +
                                                   ShortQuote(text) + "; 1 is used"});
    return 1;
  }

  /// A key once: the file's first of the names that differ only in case counts, as it is read.
  static void AddKey(std::vector<std::string>& keys, const std::string& key) {
    for (const std::string& known : keys) {
      if (UpperCase(known) == UpperCase(key))
        return;
    }
    keys.push_back(key);
  }

  TStationCFG Station() {
    TStationCFG station;
    for (const auto& [key, number] : station_keys_) {
      for (const StationSettingKey& known : kStationSettingKeys) {
        if (key != known.key)
          continue;
        std::string text = Value(kWorkspaceStationSection, key);
        std::string problem = StationValueProblem(known.member, text);
        if (problem.empty())
          station.*known.member = text;
        else
          parsed_.notices.push_back({number, problem + "; it is left out"});
      }
    }
    return station;
  }

  std::string Value(std::string_view section, std::string_view key) const {
    return Unescaped(ini_.Read(section, key, ""));
  }

  IniFile ini_;
  ParsedWorkspace parsed_;
  std::vector<std::pair<std::string, std::size_t>> station_keys_;
  std::vector<std::string> cabrillo_keys_;
  std::vector<std::string> summary_keys_;
  std::size_t replicas_line_ = 0;
};

void WriteTexts(IniFile& ini, std::string_view section, const HeaderTexts& texts) {
  for (const auto& [key, text] : texts)
    ini.Write(section, key, Escaped(text));
}

}  // namespace

ParsedWorkspace ParseWorkspaceSettings(std::string_view text) {
  return Reader(text).Read(text);
}

std::string WorkspaceSettingsText(const WorkspaceSettings& settings) {
  IniFile ini = IniFile::Parse("");
  if (!settings.contest.empty())
    ini.Write(kWorkspaceContestSection, kWorkspaceContestKey, Escaped(settings.contest));
  if (settings.station) {
    for (const StationSettingKey& key : kStationSettingKeys)
      ini.Write(kWorkspaceStationSection, key.key, Escaped(settings.station.value().*key.member));
  }
  if (!settings.band.empty() || !settings.mode.empty()) {
    ini.Write(kWorkspaceEntrySection, kWorkspaceBandKey, Escaped(settings.band));
    ini.Write(kWorkspaceEntrySection, kWorkspaceModeKey, Escaped(settings.mode));
  }
  WriteTexts(ini, kWorkspaceCabrilloSection, settings.cabrillo);
  WriteTexts(ini, kWorkspaceSummarySection, settings.summary);
  if (settings.group != GroupSettings{}) {
    for (const auto& [key, member] : kGroupKeys)
      ini.Write(kWorkspaceGroupSection, key, Escaped(settings.group.*member));
    ini.Write(kWorkspaceGroupSection, kWorkspaceReplicasKey,
              std::to_string(settings.group.replicas));
    if (settings.group.serials_per_band)
      ini.Write(kWorkspaceGroupSection, kWorkspaceSerialsPerBandKey, "yes");
  }
  if (!settings.history_files.empty())
    ini.Write(kWorkspaceHistorySection, kWorkspaceHistoryFilesKey, Escaped(settings.history_files));
  return ini.Text();
}

std::string StationRefusal(const TStationCFG& station) {
  std::optional<StationProblem> problem = FindStationProblem(station);
  if (!problem)
    return "";
  std::string text = problem->text;
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  // The input rule's reasons quote the text already.
  const std::string& value = station.*problem->field;
  if (text.find(ShortQuote(value)) != std::string::npos)
    return text + ".";
  return text + ", not \"" + value + "\".";
}

}  // namespace mirva
