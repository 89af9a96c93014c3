#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "reference/master_calls.h"

namespace mirva {

/// The fewest characters a search takes: one character would match most of the list.
inline constexpr std::size_t kMinSearchLength = 2;

/// Calls of a master list that a search found, as positions in the list, in list order.
struct CallMatches {
  /// The first matches, at most the limit the search was given.
  std::vector<uint32_t> ids;
  /// How many calls match in all.
  std::size_t total = 0;
};

/// Whether the text can be searched for: kMinSearchLength to kMaxMasterCallLength characters
/// of A-Z, 0-9 and '/'.
bool IsSearchText(std::string_view text);

/// Whether the texts are exactly one edit apart: one character changed, added or removed.
bool OneEditApart(std::string_view a, std::string_view b);

/// The calls that contain the text anywhere; none for a text IsSearchText refuses.
CallMatches FindPartialCalls(const MasterCallList& list, std::string_view text, std::size_t limit);

/// The calls one edit away from the text (OneEditApart); none for a text IsSearchText
/// refuses.
CallMatches FindNearCalls(const MasterCallList& list, std::string_view text, std::size_t limit);

}  // namespace mirva
