#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> GacwContests() {
  return {};
}

}  // namespace mirva
