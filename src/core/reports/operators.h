#pragma once

#include <string>
#include <vector>

#include "file_system.h"

namespace mirva {

struct TOperator {
  std::string Name;
  std::string LastName;
  std::string SecName;
  std::string Call;
  std::string SportsRank;

  bool operator==(const TOperator&) const = default;
};

inline constexpr char kOperatorsFileName[] = "operators.ini";

inline std::vector<TOperator> ReadOperators(FileSystem&, const std::string&) {
  return {};
}

}  // namespace mirva
