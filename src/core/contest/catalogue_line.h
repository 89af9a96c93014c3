#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "contest/rules/rules.h"

namespace mirva {

inline constexpr char kCatalogueFileName[] = "Contests.mrv";

/// What a line of the catalogue names.
struct CatalogueLine {
  /// The contest the line names; null when it names none.
  const ContestRules* rules = nullptr;
  /// The contest the line differs from only in blanks, the case of its letters or its code
  /// page; null when it names one, or is no near miss.
  const ContestRules* meant = nullptr;
  /// Why the line names no contest, for the operator; empty when it names one.
  std::string problem;
};

/// Whether a line of the catalogue names a contest, which must be exactly one of the display
/// names, and what keeps it from naming one.
CatalogueLine CheckCatalogueLine(std::string_view line);
/// What choosing catalogue line `index` (from 0) that names no contest tells the operator.
std::string UnusableCatalogueLineMessage(std::size_t index, const CatalogueLine& line);

}  // namespace mirva
