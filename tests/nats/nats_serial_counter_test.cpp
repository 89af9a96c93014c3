#include "nats_serial_counter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "nats_broker.h"
#include "test_dir.h"

namespace mirva {
namespace {

constexpr char kToken[] = "s3cret-token";

class NatsSerialCounterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (NatsBroker::Executable().empty())
      GTEST_SKIP() << "nats-server is not installed (Debian package nats-server)";
    ASSERT_TRUE(broker_.Start()) << "nats-server did not listen";
  }

  NatsSettings Settings() const {
    NatsSettings settings;
    settings.url = broker_.Url();
    settings.group = "Field-Day";
    settings.secret.token = kToken;
    settings.timeout = std::chrono::milliseconds(1500);
    return settings;
  }

  TestDir dir_;
  NatsBroker broker_{dir_ / "store", kToken};
};

TEST_F(NatsSerialCounterTest, TwoStationsTakingAtOnceNeverGetOneNumberTwice) {
  constexpr int kTakes = 150;
  std::vector<uint64_t> got[2];
  std::vector<std::thread> stations;
  for (int s = 0; s < 2; ++s) {
    stations.emplace_back([&, s] {
      NatsSerialCounter counter(Settings());
      for (int i = 0; i < kTakes; ++i) {
        uint64_t count = 1 + uint64_t(i % 3);
        uint64_t first = counter.Take("next", count, 1, 1);
        for (uint64_t n = first; n < first + count; ++n)
          got[s].push_back(n);
      }
    });
  }
  for (std::thread& t : stations)
    t.join();
  std::set<uint64_t> all(got[0].begin(), got[0].end());
  all.insert(got[1].begin(), got[1].end());
  EXPECT_EQ(all.size(), got[0].size() + got[1].size()) << "a number was given twice";
  EXPECT_EQ(*all.begin(), 1u);
  EXPECT_EQ(*all.rbegin(), all.size()) << "numbers were skipped while connected";
}

TEST_F(NatsSerialCounterTest, AKeyPerBandAndABrokerThatLostItsStoreStartAboveTheFloor) {
  NatsSerialCounter counter(Settings());
  EXPECT_EQ(counter.Take("next.20", 2, 40, 40), 40u);
  EXPECT_EQ(counter.Take("next.20", 1, 1, 90), 42u);  // a counter that has a number keeps it
  EXPECT_EQ(counter.Take("next.40", 1, 1, 1), 1u);
  broker_.Kill();
  std::filesystem::remove_all(dir_ / "store");
  ASSERT_TRUE(broker_.Start());
  uint64_t first = 0;
  // The connection comes back on its own within a moment.
  for (int attempt = 0; attempt < 50 && first == 0; ++attempt) {
    try {
      first = counter.Take("next.20", 1, 43, 70);
    } catch (const GroupError&) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  EXPECT_EQ(first, 70u);
  EXPECT_EQ(NatsSerialCounter(Settings()).Take("next.20", 1, 1, 1), 71u);
}

}  // namespace
}  // namespace mirva
