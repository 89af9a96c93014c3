#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> AnatolianRttyContests() {
  return {};
}

}  // namespace mirva
