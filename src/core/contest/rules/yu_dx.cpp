#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> YuDxContests() {
  return {};
}

}  // namespace mirva
