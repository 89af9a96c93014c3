#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> HaDxContests() {
  return {};
}

}  // namespace mirva
