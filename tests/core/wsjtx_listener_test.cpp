// The listener on real loopback sockets: POSIX only, as the other UDP tests.
#include "wsjtx_listener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "udp_peer.h"

namespace mirva {
namespace {

TEST(WsjtxListenerTest, ParsesAddresses) {
  struct Case {
    const char* text;
    bool valid;
    bool multicast;
  } cases[] = {
      {"127.0.0.1:2237", true, false},  {"239.255.0.1:2237", true, true},
      {"224.0.0.1:1", true, true},      {"0.0.0.0:65535", true, false},
      {"127.0.0.1:0", false, false},    {"127.0.0.1:65536", false, false},
      {"localhost:2237", false, false}, {"127.0.0.1", false, false},
      {"127.0.0.1:22x", false, false},  {":2237", false, false},
  };
  for (const Case& c : cases) {
    std::optional<UdpListenAddress> parsed = ParseListenAddress(c.text);
    EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
    if (parsed) {
      EXPECT_EQ(parsed->Multicast(), c.multicast) << c.text;
    }
  }
}

TEST(WsjtxListenerTest, HandsOverEachDatagramAndEndsPromptly) {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<std::string> got;
  auto listener =
      std::make_unique<WsjtxListener>(UdpListenAddress{"127.0.0.1", 0}, [&](std::string datagram) {
        std::lock_guard lock(mutex);
        got.push_back(std::move(datagram));
        arrived.notify_one();
      });
  UdpPeer sender;
  for (const char* datagram : {"first", "", "third"})
    sender.SendTo(listener->Port(), datagram);
  {
    std::unique_lock lock(mutex);
    arrived.wait_for(lock, std::chrono::seconds(5), [&] { return got.size() == 3; });
    EXPECT_EQ(got, (std::vector<std::string>{"first", "", "third"}));
  }
  auto start = std::chrono::steady_clock::now();
  listener.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  // A port another socket holds is refused with the reason.
  EXPECT_THROW(WsjtxListener(UdpListenAddress{"127.0.0.1", sender.port}, [](std::string) {}),
               std::runtime_error);
}

}  // namespace
}  // namespace mirva
