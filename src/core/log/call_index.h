#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// A callsign of the log and the positions of its QSOs in the log, in log order.
struct CallQsos {
  std::string call;
  std::vector<uint32_t> qsos;
};

/// The log's callsigns: the QSOs of each, and which callsigns contain a typed text. Every
/// pair of adjacent characters lists the callsigns holding it, so a search looks only at the
/// callsigns of the text's rarest pair instead of at all of them.
class CallIndex {
 public:
  void Clear();
  /// Records QSO `qso` (positions must come in ascending order per callsign).
  void Add(std::string_view call, uint32_t qso);
  std::span<const uint32_t> QsosOf(std::string_view call) const;
  /// The callsigns that contain the text, sorted; none for an empty text.
  std::vector<const CallQsos*> Containing(std::string_view text) const;

 private:
  /// A place of the callsign hash table: a position in calls_ plus one, or 0 when free,
  /// and the callsign's hash, so that probing and growing seldom look at calls_.
  struct Slot {
    uint32_t id = 0;
    uint32_t hash = 0;
  };

  static std::size_t PairOf(std::string_view text, std::size_t at);
  static uint32_t HashOf(std::string_view call);
  /// The slot of the callsign in slots_, or the free slot where it belongs.
  std::size_t SlotOf(std::string_view call, uint32_t hash) const;
  void GrowSlots();

  /// A deque, so that growing never moves the callsigns nor needs twice their room.
  std::deque<CallQsos> calls_;
  /// Open addressing; the size is a power of two, at least twice the number of callsigns.
  std::vector<Slot> slots_;
  /// Per pair of bytes, the callsigns (by position in calls_) that hold it, ascending.
  std::vector<std::vector<uint32_t>> pairs_;
};

}  // namespace mirva
