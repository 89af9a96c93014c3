#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> AriContests() {
  return {};
}

}  // namespace mirva
