#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> EaRttyContests() {
  return {};
}

}  // namespace mirva
