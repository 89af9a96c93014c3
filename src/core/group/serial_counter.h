#pragma once

#include <cstdint>
#include <string>

#include "group/group_transport.h"

namespace mirva {

/// The group's shared counter of serial numbers, one per numbering key.
class SerialCounter {
 public:
  virtual ~SerialCounter() = default;
  /// Reserves `count` consecutive numbers under `key`, none below `floor`, and returns the
  /// first; no two calls anywhere in the group get the same number. A key the counter has no
  /// number under yet starts at `start` when that is higher. Throws GroupError when the
  /// counter cannot be reached.
  virtual uint64_t Take(const std::string& key, uint64_t count, uint64_t floor, uint64_t start) = 0;
};

}  // namespace mirva
