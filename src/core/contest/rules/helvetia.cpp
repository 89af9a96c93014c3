#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> HelvetiaContests() {
  return {};
}

}  // namespace mirva
