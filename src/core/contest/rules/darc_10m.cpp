#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> Darc10mContests() {
  return {};
}

}  // namespace mirva
