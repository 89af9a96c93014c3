#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> CqWpxContests() {
  return {};
}

}  // namespace mirva
