#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> KingOfSpainContests() {
  return {};
}

}  // namespace mirva
