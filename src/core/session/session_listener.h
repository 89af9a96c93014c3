#pragma once

#include <cstddef>

namespace mirva {

/// What a window hears of the session's changes: each operation tells each of its changes once,
/// when it is done, so that the session reads as a whole at every notice.
class SessionListener {
 public:
  virtual ~SessionListener() = default;
  /// A QSO was added at the end of the log at `index`.
  virtual void QsoAppended(std::size_t /*index*/) {}
  /// QSO `index` was written over.
  virtual void QsoChanged(std::size_t /*index*/) {}
  /// The whole log may differ: a load, delete, clear or rescoring.
  virtual void LogReplaced() {}
  virtual void TotalsChanged() {}
  /// Another contest was set up: its bands, modes, lists and grid are new.
  virtual void ContestChanged() {}
  virtual void StationChanged() {}
};

}  // namespace mirva
