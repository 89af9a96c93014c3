#include "log/call_index.h"

#include <algorithm>
#include <functional>

namespace mirva {

std::size_t CallIndex::PairOf(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) << 8 | static_cast<unsigned char>(text[at + 1]);
}

uint32_t CallIndex::HashOf(std::string_view call) {
  return static_cast<uint32_t>(std::hash<std::string_view>{}(call));
}

std::size_t CallIndex::SlotOf(std::string_view call, uint32_t hash) const {
  std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.id == 0 || (slot.hash == hash && calls_[slot.id - 1].call == call))
      return at;
  }
}

void CallIndex::GrowSlots() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
  std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id == 0)
      continue;
    std::size_t at = slot.hash & mask;
    while (slots_[at].id != 0)
      at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

void CallIndex::Clear() {
  calls_.clear();
  std::fill(slots_.begin(), slots_.end(), Slot{});
  for (std::vector<uint32_t>& ids : pairs_)
    ids.clear();
}

void CallIndex::Add(std::string_view call, uint32_t qso) {
  if ((calls_.size() + 1) * 2 > slots_.size())
    GrowSlots();
  uint32_t hash = HashOf(call);
  Slot& slot = slots_[SlotOf(call, hash)];
  if (slot.id == 0) {
    uint32_t id = static_cast<uint32_t>(calls_.size());
    slot = {id + 1, hash};
    calls_.push_back({std::string(call), {}});
    pairs_.resize(1 << 16);
    for (std::size_t at = 0; at + 1 < call.size(); ++at) {
      std::vector<uint32_t>& ids = pairs_[PairOf(call, at)];
      if (ids.empty() || ids.back() != id)
        ids.push_back(id);
    }
  }
  calls_[slot.id - 1].qsos.push_back(qso);
}

std::span<const uint32_t> CallIndex::QsosOf(std::string_view call) const {
  if (slots_.empty())
    return {};
  uint32_t id = slots_[SlotOf(call, HashOf(call))].id;
  if (id == 0)
    return {};
  return calls_[id - 1].qsos;
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
