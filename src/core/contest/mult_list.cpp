#include "contest/mult_list.h"

#include "text/strings.h"

namespace mirva {

void AddMult(TMultArray& list, std::string_view key) {
  list.push_back(TMultEntry{CutTo(key, 10), {}});
}

void MultNameIndex::Rebuild(const TMultArray& list) {
  positions_.clear();
  for (size_ = 0; size_ < list.size(); ++size_)
    positions_[list[size_].Name].push_back(static_cast<uint32_t>(size_));
}

void MultNameIndex::Added(const TMultArray& list) {
  if (size_ + 1 != list.size())
    return Rebuild(list);
  positions_[list.back().Name].push_back(static_cast<uint32_t>(size_));
  ++size_;
}

std::vector<uint32_t> MultNameIndex::Find(const TMultArray& list, std::string_view name) const {
  if (size_ == list.size()) {
    auto found = positions_.find(name);
    return found == positions_.end() ? std::vector<uint32_t>() : found->second;
  }
  std::vector<uint32_t> positions;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].Name == name)
      positions.push_back(static_cast<uint32_t>(i));
  }
  return positions;
}

}  // namespace mirva
