#include "log/call_index.h"

#include <algorithm>

namespace mirva {

std::size_t CallIndex::PairOf(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) << 8 | static_cast<unsigned char>(text[at + 1]);
}

void CallIndex::Clear() {
  calls_.clear();
  ids_.clear();
  for (std::vector<uint32_t>& ids : pairs_)
    ids.clear();
}

void CallIndex::Add(std::string_view call, uint32_t qso) {
  auto [found, added] = ids_.try_emplace(std::string(call), static_cast<uint32_t>(calls_.size()));
  uint32_t id = found->second;
  if (added) {
    calls_.push_back({std::string(call), {}});
    pairs_.resize(1 << 16);
    for (std::size_t at = 0; at + 1 < call.size(); ++at) {
      std::vector<uint32_t>& ids = pairs_[PairOf(call, at)];
      if (ids.empty() || ids.back() != id)
        ids.push_back(id);
    }
  }
  calls_[id].qsos.push_back(qso);
}

std::span<const uint32_t> CallIndex::QsosOf(std::string_view call) const {
  auto found = ids_.find(call);
  if (found == ids_.end())
    return {};
  return calls_[found->second].qsos;
}

std::vector<const CallQsos*> CallIndex::Containing(std::string_view text) const {
  std::vector<const CallQsos*> matches;
  auto take = [&](const CallQsos& c) {
    if (c.call.find(text) != std::string::npos)
      matches.push_back(&c);
  };
  if (text.size() == 1 || (text.size() > 1 && pairs_.empty())) {
    for (const CallQsos& c : calls_)
      take(c);
  } else if (text.size() > 1) {
    const std::vector<uint32_t>* rarest = &pairs_[PairOf(text, 0)];
    for (std::size_t at = 1; at + 1 < text.size(); ++at) {
      const std::vector<uint32_t>& ids = pairs_[PairOf(text, at)];
      if (ids.size() < rarest->size())
        rarest = &ids;
    }
    for (uint32_t id : *rarest)
      take(calls_[id]);
  }
  std::sort(matches.begin(), matches.end(),
            [](const CallQsos* a, const CallQsos* b) { return a->call < b->call; });
  return matches;
}

}  // namespace mirva
