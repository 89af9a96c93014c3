#include "contest/rules/families.h"

namespace mirva {

std::span<const ContestRules> Arrl10mContests() {
  return {};
}

}  // namespace mirva
