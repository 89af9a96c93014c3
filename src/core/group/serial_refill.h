#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "group/group_ids.h"
#include "group/group_serials.h"
#include "group/serial_counter.h"
#include "log/qso_log.h"

namespace mirva {

/// Per numbering key, the number the group's counter starts above when the broker has none:
/// one more than the highest serial the log (the group's QSOs) sent under it. With per-band
/// keys, every band of `bands` and of the log has one.
std::map<std::string, uint64_t> SerialFloors(const QsoLog& log, bool per_band,
                                             std::span<const std::string> bands);

/// How far above the numbers it knows a station starts a counter the broker has none of: room
/// for a deck and a reserve of every station the side file knows and of one it does not yet,
/// as they may still hold numbers of a counter the broker lost.
uint64_t SerialHeadroom(const GroupIds& ids);

/// Where a counter the broker has none of starts, for a station whose numbers begin at
/// `least`: `headroom` above it once the group has numbered, 1 in a group that never did.
uint64_t FreshCounterStart(uint64_t least, uint64_t headroom);

/// Tops up the deck and the reserve of every key of `floors` from the group's counter, never
/// below the key's floor nor below a number the pool sent or holds; a counter made anew starts
/// `headroom` higher. Throws GroupError when the counter cannot be reached; the numbers taken
/// before stay in the pool.
void RefillSerials(GroupSerials& serials, SerialCounter& counter,
                   const std::map<std::string, uint64_t>& floors, uint64_t headroom);

}  // namespace mirva
