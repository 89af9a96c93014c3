#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> ArrlDxContests() {
  return {};
}

}  // namespace mirva
