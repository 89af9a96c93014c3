#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "reference/station.h"

namespace mirva {

/// The name of the program's stored settings: the registry key "Software\" + this on Windows,
/// the file "<config dir>/" + this + ".conf" elsewhere. The windows write it, mirva-cli reads it.
inline constexpr char kSettingsName[] = "Mirva contest module";

/// Sections (groups) of the stored settings and the keys the command-line tool reads.
inline constexpr char kMainSection[] = "Main";
inline constexpr char kEntrySection[] = "New QSO";
inline constexpr char kQsoListSection[] = "QSO list";
inline constexpr char kPrevQsoSection[] = "Previous QSO";
inline constexpr char kCallsSection[] = "Calls";
inline constexpr char kStatSection[] = "Stat";
inline constexpr char kMultsSection[] = "Mults";
inline constexpr char kContestSection[] = "ContestName";
inline constexpr char kContestIndexKey[] = "lbContestList.Tag";
inline constexpr char kStationSection[] = "Station configuration";

/// The station texts kept in kStationSection, by the name of their edit box.
struct StationSettingKey {
  const char* key;
  std::string TStationCFG::*member;
};
inline constexpr StationSettingKey kStationSettingKeys[] = {
    {"eCall", &TStationCFG::Call}, {"eCountry", &TStationCFG::Country},
    {"eITU", &TStationCFG::ITU},   {"eCQ", &TStationCFG::CQ},
    {"eCont", &TStationCFG::Cont}, {"eLat", &TStationCFG::Lat},
    {"eLong", &TStationCFG::Long}, {"eState", &TStationCFG::State},
};

}  // namespace mirva
