#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> CqWpxRttyContests() {
  return {};
}

}  // namespace mirva
