#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> SpDxRttyContests() {
  return {};
}

}  // namespace mirva
