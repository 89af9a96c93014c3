#include "cluster_feed.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "loopback.h"

namespace mirva {
namespace {

using namespace std::chrono_literals;

/// What a feed delivered, for the test's thread to wait on.
class Events {
 public:
  ClusterFeed::Deliver Sink() {
    return [this](ClusterEvent event) {
      std::lock_guard lock(mutex_);
      events_.push_back(std::move(event));
      changed_.notify_all();
    };
  }

  /// Waits up to 5 s for an event of `kind` past those `seen` already; its index, or -1.
  int WaitFor(ClusterEvent::Kind kind, std::size_t& seen) {
    std::unique_lock lock(mutex_);
    for (;;) {
      for (; seen < events_.size(); ++seen)
        if (events_[seen].kind == kind)
          return static_cast<int>(seen++);
      if (!changed_.wait_for(lock, 5s, [&] { return seen < events_.size(); }))
        return -1;
    }
  }

  ClusterEvent At(int index) {
    std::lock_guard lock(mutex_);
    return events_.at(static_cast<std::size_t>(index));
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ClusterEvent> events_;
};

/// A node on a loopback port that takes one connection at a time.
class Node {
 public:
  Node() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = LoopbackAddress(0);
    socklen_t size = sizeof address;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    listen(listener_, 4);
    port = ntohs(address.sin_port);
  }
  ~Node() { close(listener_); }

  /// Accepts a connection and reads its first line; -1 when none came within 5 s.
  int Accept(std::string& first_line) {
    pollfd entry{listener_, POLLIN, 0};
    if (poll(&entry, 1, 5000) != 1)
      return -1;
    int fd = accept(listener_, nullptr, nullptr);
    char c = 0;
    while (recv(fd, &c, 1, 0) == 1 && c != '\n')
      first_line += c;
    return fd;
  }

  int port = 0;

 private:
  int listener_ = -1;
};

TEST(ClusterFeed, LogsInAgainAfterTheNodeDropsTheLine) {
  Node node;
  Events events;
  ClusterFeed feed({"127.0.0.1", node.port, "DL1ABC"}, {true, 20ms, 80ms}, events.Sink());
  std::size_t seen = 0;
  for (const char* call : {"UA9XYZ", "K1ABC"}) {
    std::string login;
    int fd = node.Accept(login);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(login, "DL1ABC\r");
    std::string spot = std::string("DX de W3LPL-#: 7025.1 ") + call + " CW 1830Z\r\nbye";
    send(fd, spot.data(), spot.size(), 0);
    close(fd);
    ASSERT_GE(events.WaitFor(ClusterEvent::Kind::kConnected, seen), 0);
    int lines = events.WaitFor(ClusterEvent::Kind::kLines, seen);
    ASSERT_GE(lines, 0);
    std::size_t before = seen;
    ASSERT_GE(events.WaitFor(ClusterEvent::Kind::kClosed, seen), 0);
    // The spot and the text after the last line end, in one batch or two.
    std::vector<ClusterLine> got = events.At(lines).lines;
    for (std::size_t i = before; i + 1 < seen; ++i)
      for (const ClusterLine& line : events.At(static_cast<int>(i)).lines)
        got.push_back(line);
    ASSERT_EQ(got.size(), 2u) << call;
    EXPECT_EQ(got[0].spot.call, call);
    EXPECT_EQ(got[1].text, "bye");
  }
}

TEST(ClusterFeed, ARefusedConnectionFailsOnceWithoutRetrying) {
  Events events;
  auto start = std::chrono::steady_clock::now();
  {
    ClusterFeed feed({"127.0.0.1", FreeLoopbackPort(), "DL1ABC"}, {false, 10ms, 10ms},
                     events.Sink());
    std::size_t seen = 0;
    int failed = events.WaitFor(ClusterEvent::Kind::kFailed, seen);
    ASSERT_GE(failed, 0);
    EXPECT_NE(events.At(failed).text.find("refused"), std::string::npos) << events.At(failed).text;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST(ClusterFeed, EndsAtOnceWhileTheNodeIsSilent) {
  Node node;
  Events events;
  auto feed = std::make_unique<ClusterFeed>(ClusterEndpoint{"127.0.0.1", node.port, "DL1ABC"},
                                            ClusterFeed::Options{}, events.Sink());
  std::string login;
  int fd = node.Accept(login);
  ASSERT_GE(fd, 0);
  auto start = std::chrono::steady_clock::now();
  feed.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
  close(fd);
}

TEST(ClusterAddress, HostAndPort) {
  EXPECT_EQ(ParseClusterAddress("dxc.example.org:7300", "DL1ABC"),
            (ClusterEndpoint{"dxc.example.org", 7300, "DL1ABC"}));
  EXPECT_EQ(ParseClusterAddress("[::1]:23", "X")->host, "::1");
  for (const char* bad : {"dxc.example.org", ":7300", "host:0", "host:65536", "host:73x",
                          "host:", "a b:23", "::1:23", "[::1]23"})
    EXPECT_FALSE(ParseClusterAddress(bad, "X")) << bad;
}

}  // namespace
}  // namespace mirva
