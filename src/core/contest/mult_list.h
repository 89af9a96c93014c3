#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_map.h"

namespace mirva {

/// One possible multiplier: its key and, per mode slot, the bands it was worked on.
struct TMultEntry {
  std::string Name;                 ///< at most 10 characters
  std::array<uint8_t, 4> Worked{};  ///< bit b of slot m: worked on band b in mode m; 0xFF: once

  bool operator==(const TMultEntry&) const = default;
};

using TMultArray = std::vector<TMultEntry>;

/// Appends an entry with the key (cut to 10 characters) and nothing worked.
void AddMult(TMultArray& list, std::string_view key);

/// The positions of a list's entries by name, so that a long list (WPX prefixes) is not
/// scanned per QSO. A list whose size no longer matches the index is scanned instead.
class MultNameIndex {
 public:
  void Rebuild(const TMultArray& list);
  /// Records an entry just appended to the list.
  void Added(const TMultArray& list);
  /// The positions of the entries named `name`, ascending.
  std::vector<uint32_t> Find(const TMultArray& list, std::string_view name) const;

 private:
  TextMap<std::vector<uint32_t>> positions_;
  std::size_t size_ = 0;
};

}  // namespace mirva
