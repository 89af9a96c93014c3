#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// One possible multiplier: its key and, per mode slot, the bands it was worked on.
struct TMultEntry {
  std::string Name;                 ///< at most 10 characters
  std::array<uint8_t, 4> Worked{};  ///< bit b of slot m: worked on band b in mode m; 0xFF: once
};

using TMultArray = std::vector<TMultEntry>;

/// Appends an entry with the key (cut to 10 characters) and nothing worked.
void AddMult(TMultArray& list, std::string_view key);

}  // namespace mirva
