#pragma once

#include <string_view>

namespace mirva {

/// The names the public exchange formats give a built-in contest; a name is empty where the
/// format has none for it.
struct StandardContestIds {
  std::string_view cabrillo3;  ///< the Cabrillo 3.0 CONTEST value
  std::string_view adif;       ///< the ADIF CONTEST_ID enumeration value
};

/// The standard names of the contest with this display name (Windows-1251); both empty for a
/// name no built-in contest has.
StandardContestIds StandardIdsOf(std::string_view display_name);

}  // namespace mirva
