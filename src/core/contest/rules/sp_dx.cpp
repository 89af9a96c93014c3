#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> SpDxContests() {
  return {};
}

}  // namespace mirva
