// Reads arbitrary bytes as the station's file of the group's serial numbers: whatever it
// takes must come back the same when written and read again, and hand out numbers it holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "group/group_serials.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  mirva::GroupSerials serials = mirva::ParseGroupSerials(text);
  if (mirva::ParseGroupSerials(mirva::FormatGroupSerials(serials)) != serials)
    std::abort();
  for (const auto& [key, pool] : serials.pools()) {
    std::optional<uint64_t> next = serials.Next(key);
    if (next.has_value() == (pool.deck.empty() && pool.reserve.empty()))
      std::abort();
    mirva::GroupSerials spent = serials;
    if (next) {
      spent.Spent(key, *next);
      if (spent.LastSent(key) < *next)
        std::abort();
    }
  }
  return 0;
}
