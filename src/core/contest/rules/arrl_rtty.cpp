#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> ArrlRttyContests() {
  return {};
}

}  // namespace mirva
