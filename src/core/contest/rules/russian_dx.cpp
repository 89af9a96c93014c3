#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> RussianDxContests() {
  return {};
}

}  // namespace mirva
