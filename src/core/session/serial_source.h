#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mirva {

/// Where a station that shares its numbering with others takes its serial numbers from.
class SerialSource {
 public:
  virtual ~SerialSource() = default;
  /// The number to send next on the band; nothing when the source holds none.
  virtual std::optional<uint64_t> Next(std::string_view band) const = 0;
  /// The highest number this station sent on the band; 0 when it sent none.
  virtual uint64_t LastSent(std::string_view band) const = 0;
  /// A QSO on the band is about to be saved with `number`: it is not proposed again.
  virtual void Spent(std::string_view band, uint64_t number) = 0;
};

}  // namespace mirva
