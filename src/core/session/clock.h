#pragma once

#include <string>

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

}  // namespace mirva
