#pragma once

#include <array>
#include <cstdint>

#include "contest/contest_state.h"
#include "contest/rules/rules.h"

namespace mirva {

/// What scoring reads: the contest in place with its rules and lists, and what the rules read.
struct ScoringContext {
  const ContestRules* rules;  ///< null when no contest is set up: nothing scores
  const ContestState& contest;
  RuleContext rule;
};

/// The entries a QSO brings new, per list: -1 none, -2 one to append, otherwise its position.
struct NewMults {
  std::array<int, 3> index{-1, -1, -1};
  uint8_t flags = 0;  ///< bit 1, 2 and 4 for lists 1, 2 and 3

  bool operator==(const NewMults&) const = default;
};

}  // namespace mirva
