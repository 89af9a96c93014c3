#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// How long a spot stays on the band map unless the operator says otherwise.
inline constexpr int kDefaultSpotAgeMinutes = 30;

/// The cluster nodes the program reads spots from, as the operator set them.
struct ClusterSettings {
  /// "HOST:PORT" each, in the operator's order.
  std::vector<std::string> feeds;
  /// The call to log in with; empty takes the station's own call.
  std::string login;
  int spot_age_minutes = kDefaultSpotAgeMinutes;

  bool operator==(const ClusterSettings&) const = default;
};

/// Where a cluster node listens.
struct ClusterAddress {
  std::string host;
  int port = 0;

  bool operator==(const ClusterAddress&) const = default;
};

/// "HOST:PORT" taken apart: a host without blanks, colons or control characters, then a colon
/// and a port of digits only from 1 to 65535; nothing for any other text.
std::optional<ClusterAddress> SplitClusterAddress(std::string_view text);

inline bool IsClusterAddress(std::string_view text) {
  return SplitClusterAddress(text).has_value();
}

}  // namespace mirva
