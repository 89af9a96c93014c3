#include "group/serial_refill.h"

#include <algorithm>
#include <set>

#include "reference/callsign.h"
#include "text/strings.h"

namespace mirva {

std::map<std::string, uint64_t> SerialFloors(const QsoLog& log, bool per_band,
                                             std::span<const std::string> bands) {
  std::map<std::string, uint64_t> floors;
  if (!per_band)
    floors[SerialKey(false, {})] = 1;
  for (const std::string& band : per_band ? bands : std::span<const std::string>())
    floors[SerialKey(true, band)] = 1;
  for (std::size_t i = 0; i < log.size(); ++i) {
    QsoRecordView record = log.Record(i);
    int32_t sent = LeadingNumber(Trim(record.NumberSent()));
    uint64_t& floor = floors[SerialKey(per_band, record.Band())];
    floor = std::max<uint64_t>(floor, sent < 0 ? 1 : uint64_t(sent) + 1);
  }
  return floors;
}

uint64_t SerialHeadroom(const GroupIds& ids) {
  std::set<std::string> stations;
  for (const std::vector<GroupEntry>* entries : {&ids.live, &ids.deleted}) {
    for (const GroupEntry& entry : *entries) {
      if (entry.Identified())
        stations.insert(entry.station);
      if (!entry.current.editor.empty())
        stations.insert(entry.current.editor);
    }
  }
  return (kSerialDeckSize + kSerialReserveSize) * (stations.size() + 1);
}

uint64_t FreshCounterStart(uint64_t least, uint64_t headroom) {
  return least > 1 ? least + headroom : 1;
}

void RefillSerials(GroupSerials& serials, SerialCounter& counter,
                   const std::map<std::string, uint64_t>& floors, uint64_t headroom) {
  for (const auto& [key, floor] : floors) {
    if (std::size_t need = serials.DeckNeed(key)) {
      uint64_t least = std::max(floor, serials.Highest(key) + 1);
      uint64_t first = counter.Take(key, need, least, FreshCounterStart(least, headroom));
      serials.AddToDeck(key, first, need);
    }
    if (std::size_t need = serials.ReserveNeed(key)) {
      uint64_t least = std::max(floor, serials.Highest(key) + 1);
      uint64_t first = counter.Take(key, need, least, FreshCounterStart(least, headroom));
      serials.AddToReserve(key, first, need);
    }
  }
}

}  // namespace mirva
