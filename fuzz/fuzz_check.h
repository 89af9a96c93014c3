#pragma once

// The property checks of the fuzz targets: a broken one stops the run as a crash would.
#include <cstdlib>

namespace mirva_fuzz {

inline void Check(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace mirva_fuzz
