#pragma once

#include <cstddef>
#include <vector>

#include "session/session_listener.h"

namespace mirva {

/// What one operation of the session changed, gathered while it runs and told to the
/// listeners once it is done.
struct SessionNotices {
  bool contest = false;
  bool station = false;
  /// The whole log may differ; this stands for every QSO appended or changed too.
  bool log = false;
  std::vector<std::size_t> appended;
  std::vector<std::size_t> changed;
  bool totals = false;

  bool Any() const;
  void Appended(std::size_t index);
  void Changed(std::size_t index);
  /// Tells the listener each change once: the contest, the station, the log (or each QSO
  /// appended, then each changed) and the totals last, since they follow from all of them.
  void Tell(SessionListener& listener) const;
};

}  // namespace mirva
