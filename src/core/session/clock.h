#pragma once

#include <string>
#include <utility>

namespace mirva {

/// A UTC instant as the log stores it: the date value and "hh:nn".
struct UtcTime {
  double date = 0;
  std::string time;
};

/// The UTC date and time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual UtcTime Now() = 0;
};

/// A clock that shows the time it was set to: a QSO's own time in place of the running clock.
class FixedClock : public Clock {
 public:
  explicit FixedClock(UtcTime time = {}) : time_(std::move(time)) {}
  UtcTime Now() override { return time_; }
  void Set(UtcTime time) { time_ = std::move(time); }

 private:
  UtcTime time_;
};

}  // namespace mirva
