#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mirva {

/// The contest that is set up: its identity and what its definition decided.
struct TContest {
  std::string Name;          ///< display name, Windows-1251, at most 50
  std::string CabrilloName;  ///< value of the Cabrillo "CONTEST: " line, at most 15
  uint8_t CabrilloFormat = 0;
  std::vector<std::string> Bands;
  std::vector<std::string> Modes;
  bool UseWAE = false;
  int MultCount = 0;
};

}  // namespace mirva
