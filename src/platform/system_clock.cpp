#include "system_clock.h"

#include <chrono>
#include <cstdio>

#include "log/date_value.h"

namespace mirva {

UtcTime SystemClock::Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  auto today = floor<days>(now);
  hh_mm_ss clock(floor<minutes>(now - today));
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()));
  return {DateValueOf(today), text};
}

}  // namespace mirva
