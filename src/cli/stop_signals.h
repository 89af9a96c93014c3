#pragma once

namespace mirva {

/// While it lives, an interrupt, a terminate or a hang-up signal asks the running command to
/// stop at its next safe point instead of ending the program there; a second such signal
/// ends it as usual.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  /// The signal that asked to stop, or 0.
  int Requested() const;
};

}  // namespace mirva
