#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/radio.h"
#include "reference/station.h"

namespace mirva {

class FileSystem;
class Notifier;

/// The name of the program's stored settings: the registry key "Software\" + this on Windows,
/// the file "<config dir>/" + this + ".conf" elsewhere. The windows write it, mirva-cli reads it.
inline constexpr char kSettingsName[] = "Mirva contest module";

/// Sections (groups) of the stored settings, one per window, and the keys of the chosen
/// contest.
inline constexpr char kMainSection[] = "Main";
inline constexpr char kEntrySection[] = "New QSO";
inline constexpr char kQsoListSection[] = "QSO list";
inline constexpr char kPrevQsoSection[] = "Previous QSO";
inline constexpr char kCallsSection[] = "Calls";
inline constexpr char kCheckPartialSection[] = "Check partial";
inline constexpr char kStatSection[] = "Stat";
inline constexpr char kMultsSection[] = "Mults";
inline constexpr char kGroupSection[] = "Group";
inline constexpr char kBandMapSection[] = "Band map";
/// The entry's band and mode, by their lists' names in kEntrySection.
inline constexpr char kEntryBandKey[] = "cbBand";
inline constexpr char kEntryModeKey[] = "cbMode";
inline constexpr char kContestSection[] = "ContestName";
inline constexpr char kContestIndexKey[] = "lbContestList.Tag";
inline constexpr char kStationSection[] = "Station configuration";
inline constexpr char kCabrilloSection[] = "Cabrillo";
inline constexpr char kStandardReportSection[] = "StandartReport";
/// Where the CW text goes on Linux: the cwdaemon to send to and the speed it was left at (WPM).
inline constexpr char kCwdaemonSection[] = "cwdaemon";
inline constexpr char kCwdaemonHostKey[] = "Host";
inline constexpr char kCwdaemonPortKey[] = "Port";
inline constexpr char kCwdaemonSpeedKey[] = "Speed";
/// The radio the entry window follows: whether it does, Hamlib's model number, the serial
/// device or rigctld's HOST:PORT, and the serial speed.
inline constexpr char kRadioSection[] = "Radio";
inline constexpr char kRadioEnabledKey[] = "Enabled";
inline constexpr char kRadioModelKey[] = "Model";
inline constexpr char kRadioPortKey[] = "Port";
inline constexpr char kRadioSpeedKey[] = "Speed";
/// The cluster nodes spots come from: their HOST:PORT texts separated by blanks, the call to
/// log in with (empty for the station's own) and the minutes a spot stays on the band map.
inline constexpr char kClusterSection[] = "Cluster";
inline constexpr char kClusterFeedsKey[] = "Feeds";
inline constexpr char kClusterLoginKey[] = "Login";
inline constexpr char kClusterSpotAgeKey[] = "SpotAge";

/// A station text: its key in kStationSection (the name of its edit box) and the key of
/// mirva-cli's --station that sets it.
struct StationSettingKey {
  const char* key;
  const char* option;
  std::string TStationCFG::*member;
};
inline constexpr StationSettingKey kStationSettingKeys[] = {
    {"eCall", "call", &TStationCFG::Call}, {"eCountry", "country", &TStationCFG::Country},
    {"eITU", "itu", &TStationCFG::ITU},    {"eCQ", "cq", &TStationCFG::CQ},
    {"eCont", "cont", &TStationCFG::Cont}, {"eLat", "lat", &TStationCFG::Lat},
    {"eLong", "long", &TStationCFG::Long}, {"eState", "state", &TStationCFG::State},
};

/// A line of the stored settings, or a value in it, that was left out, and why.
struct SettingsNotice {
  std::size_t line;  ///< from 1
  std::string text;
};

/// What the command-line tool takes from the stored settings.
struct StoredSettings {
  /// The catalogue position of the contest chosen last, when a whole number is stored.
  std::optional<int> contest_index;
  /// The station texts in Windows-1251, when kStationSection exists; a key it lacks is empty.
  std::optional<TStationCFG> station;
  /// The radio's settings; the defaults where nothing usable is stored.
  RadioSettings radio;
  /// The display name of the contest chosen last, when it is stored.
  std::string contest_name;
  /// The entry's band and mode last used.
  std::string band;
  std::string mode;
  /// The texts of the Cabrillo and the summary window's headers, by control name; a list's
  /// parts joined by ", ".
  std::map<std::string, std::string> cabrillo;
  std::map<std::string, std::string> summary;
  std::vector<SettingsNotice> notices;
};

/// Reads the settings as Qt writes its INI files. Group and key names may hold %XX and
/// %UXXXX escapes and '\' for '/'; a value is bare or in double quotes, with the escapes
/// \" \\ \n \t \xHHHH \0 and the like, non-ASCII text in UTF-8, "@@" for a leading '@' and
/// "@ByteArray(..)" for bytes, "@String(..)" around a text with a NUL. Lines starting with ';' or
/// '#' are comments, and a ';' outside quotes starts one. Lines may end in CR LF, LF or CR, and
/// every line break ends a line: Qt would go on to the next line after a '\' or inside quotes, but
/// never writes either. A later key of the same name wins.
///
/// A value of several comma-separated parts (a list) is taken as its parts joined by ", ":
/// that is how the text reads, and station texts hold no commas in practice. A station text
/// that the input rule refuses (a character Windows-1251 cannot hold, a control character,
/// a callsign with other than Latin letters, digits and '/'), a stored value that is no
/// text, an index that is no whole number and a line that is neither a section header nor
/// KEY=VALUE are left out with a notice.
StoredSettings ParseStoredSettings(std::string_view text);

/// Reads the settings file at `path`; nothing is stored when there is none. The operator is
/// told, with the file's name, when it cannot be read, and of every notice the text gives.
StoredSettings LoadStoredSettings(FileSystem& fs, Notifier& notifier, const std::string& path);

}  // namespace mirva
