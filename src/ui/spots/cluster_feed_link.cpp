#include <utility>

#include "spots/spot_feeds.h"

namespace mirva {

namespace {

/// A telnet feed that connects again after any loss.
class TelnetLink : public ClusterLink {
 public:
  TelnetLink(ClusterEndpoint endpoint, ClusterFeed::Deliver deliver)
      : feed_(std::move(endpoint), ClusterFeed::Options{}, std::move(deliver)) {}
  void Send(std::string line) override { feed_.Send(std::move(line)); }

 private:
  ClusterFeed feed_;
};

}  // namespace

std::unique_ptr<ClusterLink> OpenClusterFeed(ClusterEndpoint endpoint,
                                             ClusterFeed::Deliver deliver) {
  return std::make_unique<TelnetLink>(std::move(endpoint), std::move(deliver));
}

}  // namespace mirva
