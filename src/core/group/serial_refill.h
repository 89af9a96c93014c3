#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "group/group_serials.h"
#include "group/serial_counter.h"
#include "log/qso_log.h"

namespace mirva {

/// Per numbering key, the number the group's counter starts above when the broker has none:
/// one more than the highest serial the log (the group's QSOs) sent under it. With per-band
/// keys, every band of `bands` and of the log has one.
std::map<std::string, uint64_t> SerialFloors(const QsoLog& log, bool per_band,
                                             std::span<const std::string> bands);

/// Tops up the deck and the reserve of every key of `floors` from the group's counter, never
/// below the key's floor nor below a number the pool sent or holds. Throws GroupError when
/// the counter cannot be reached; the numbers taken before stay in the pool.
void RefillSerials(GroupSerials& serials, SerialCounter& counter,
                   const std::map<std::string, uint64_t>& floors);

}  // namespace mirva
