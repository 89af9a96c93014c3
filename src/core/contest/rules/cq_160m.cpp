#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> Cq160mContests() {
  return {};
}

}  // namespace mirva
