#include "spots/cluster_settings.h"

#include <algorithm>

namespace mirva {

namespace {

constexpr long kLastPort = 65535;

/// The port's number; 0 for anything but digits from 1 to 65535.
int PortNumber(std::string_view text) {
  if (text.empty() || text.size() > 5)
    return 0;
  long port = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return 0;
    port = port * 10 + (c - '0');
  }
  return port <= kLastPort ? static_cast<int>(port) : 0;
}

bool IsHost(std::string_view host) {
  return !host.empty() && std::none_of(host.begin(), host.end(), [](char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte == 0x7F || c == ':';
  });
}

}  // namespace

std::optional<ClusterAddress> SplitClusterAddress(std::string_view text) {
  std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || !IsHost(text.substr(0, colon)))
    return std::nullopt;
  int port = PortNumber(text.substr(colon + 1));
  if (port == 0)
    return std::nullopt;
  return ClusterAddress{std::string(text.substr(0, colon)), port};
}

}  // namespace mirva
