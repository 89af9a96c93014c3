#pragma once

#include "session/clock.h"

namespace mirva {

/// The system's UTC clock.
class SystemClock : public Clock {
 public:
  UtcTime Now() override;
};

}  // namespace mirva
