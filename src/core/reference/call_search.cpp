#include "reference/call_search.h"

#include <algorithm>

namespace mirva {

namespace {

void Found(CallMatches& matches, uint32_t id, std::size_t limit) {
  if (matches.ids.size() < limit)
    matches.ids.push_back(id);
  ++matches.total;
}

}  // namespace

bool IsSearchText(std::string_view text) {
  if (text.size() < kMinSearchLength || text.size() > kMaxMasterCallLength)
    return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
  });
}

bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() > b.size())
    std::swap(a, b);
  if (b.size() - a.size() > 1)
    return false;
  std::size_t same = std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin();
  if (a.size() == b.size())
    return same < a.size() && a.substr(same + 1) == b.substr(same + 1);
  return a.substr(same) == b.substr(same + 1);
}

CallMatches FindPartialCalls(const MasterCallList& list, std::string_view text, std::size_t limit) {
  CallMatches matches;
  if (!IsSearchText(text))
    return matches;
  // The text holds no '\n', so a match never spans two calls; after one the scan goes on
  // with the next call, so that each call counts once.
  std::string_view packed = list.packed;
  std::size_t at = packed.find(text);
  while (at != std::string_view::npos) {
    auto next = std::upper_bound(list.starts.begin(), list.starts.end(), at);
    Found(matches, static_cast<uint32_t>(next - list.starts.begin() - 1), limit);
    at = packed.find(text, *next);
  }
  return matches;
}

CallMatches FindNearCalls(const MasterCallList& list, std::string_view text, std::size_t limit) {
  CallMatches matches;
  if (!IsSearchText(text))
    return matches;
  std::vector<uint32_t> found;
  for (std::size_t length = text.size() - 1; length <= text.size() + 1; ++length) {
    if (length == 0 || length >= list.by_length.size())
      continue;
    const CallLengthBucket& bucket = list.by_length[length];
    std::string_view calls = bucket.calls;
    for (std::size_t k = 0; k < bucket.ids.size(); ++k) {
      if (OneEditApart(calls.substr(k * length, length), text))
        found.push_back(bucket.ids[k]);
    }
  }
  std::sort(found.begin(), found.end());
  for (uint32_t id : found)
    Found(matches, id, limit);
  return matches;
}

}  // namespace mirva
