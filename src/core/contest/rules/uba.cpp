#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> UbaContests() {
  return {};
}

}  // namespace mirva
