#include "session/session_notices.h"

#include <algorithm>

namespace mirva {

namespace {

void AddOnce(std::vector<std::size_t>& indexes, std::size_t index) {
  if (std::find(indexes.begin(), indexes.end(), index) == indexes.end())
    indexes.push_back(index);
}

}  // namespace

bool SessionNotices::Any() const {
  return contest || station || log || !appended.empty() || !changed.empty() || totals;
}

void SessionNotices::Appended(std::size_t index) {
  AddOnce(appended, index);
}

void SessionNotices::Changed(std::size_t index) {
  AddOnce(changed, index);
}

void SessionNotices::Tell(SessionListener& listener) const {
  if (contest)
    listener.ContestChanged();
  if (station)
    listener.StationChanged();
  if (log) {
    listener.LogReplaced();
  } else {
    for (std::size_t index : appended)
      listener.QsoAppended(index);
    for (std::size_t index : changed)
      listener.QsoChanged(index);
  }
  if (totals)
    listener.TotalsChanged();
}

}  // namespace mirva
