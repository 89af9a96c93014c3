#include <gtest/gtest.h>

#include "spots/cluster_settings.h"

namespace mirva {
namespace {

TEST(SplitClusterAddress, HostAndPortOrNothing) {
  struct Case {
    const char* text;
    std::optional<ClusterAddress> address;
  };
  const Case cases[] = {
      {"dxc.example.org:7300", ClusterAddress{"dxc.example.org", 7300}},
      {"node:65535", ClusterAddress{"node", 65535}},
      {"node:65536", std::nullopt},
      {"node:0", std::nullopt},
      {":7300", std::nullopt},
      {"node", std::nullopt},
      {"node:73a0", std::nullopt},
      {"node:0000007300", std::nullopt},
      {"no de:7300", std::nullopt},
      {"a:b:7300", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitClusterAddress(c.text), c.address) << c.text;
}

}  // namespace
}  // namespace mirva
