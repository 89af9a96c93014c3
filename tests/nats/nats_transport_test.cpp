#include "nats_transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "nats_broker.h"
#include "test_dir.h"

namespace mirva {
namespace {

using std::chrono::steady_clock;

constexpr char kToken[] = "s3cret-token";

class NatsTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (NatsBroker::Executable().empty())
      GTEST_SKIP() << "nats-server is not installed (Debian package nats-server)";
    ASSERT_TRUE(broker_.Start()) << "nats-server did not listen";
  }

  NatsSettings Settings(const std::string& token = kToken) const {
    NatsSettings settings;
    settings.url = broker_.Url();
    settings.group = "Field-Day";
    settings.secret.token = token;
    settings.timeout = std::chrono::milliseconds(1500);
    return settings;
  }

  /// Restarts the broker, with its store or an empty one.
  void Restart(bool keep_store) {
    broker_.Kill();
    if (!keep_store)
      std::filesystem::remove_all(dir_ / "store");
    ASSERT_TRUE(broker_.Start());
  }

  TestDir dir_;
  NatsBroker broker_{dir_ / "store", kToken};
};

TEST_F(NatsTransportTest, ChangesComeBackInOrderFromAnyPlace) {
  NatsTransport transport(Settings());
  EXPECT_EQ(transport.LastSequence(), 0u);
  const std::string bytes[] = {"first", std::string("\0\xff binary", 9), "third"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(transport.Publish("A-" + std::to_string(i), bytes[i]), uint64_t(i + 1));

  std::vector<GroupMessage> all = transport.Fetch(0, 10);
  ASSERT_EQ(all.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(all[i].sequence, uint64_t(i + 1));
    EXPECT_EQ(all[i].bytes, bytes[i]);
  }
  // Another place than where the last read ended, a limit, and nothing after the end.
  std::vector<GroupMessage> one = transport.Fetch(1, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].sequence, 2u);
  auto start = steady_clock::now();
  EXPECT_EQ(transport.Fetch(3, 10).size(), 0u);
  EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(500)) << "waited on nothing";
  // One change looked up by its place, binary bytes whole; none past the end or before 1.
  EXPECT_EQ(transport.MessageAt(2).value().bytes, bytes[1]);
  EXPECT_FALSE(transport.MessageAt(4));
  EXPECT_FALSE(transport.MessageAt(0));
  // A second station reads the same stream.
  EXPECT_EQ(NatsTransport(Settings()).Fetch(0, 10).size(), 3u);
}

TEST_F(NatsTransportTest, ReadsOnAfterLongerIdleThanTheBrokerKeepsAReader) {
  NatsTransport transport(Settings());
  transport.Publish("E-1", "one");
  ASSERT_EQ(transport.Fetch(0, 10).size(), 1u);
  std::this_thread::sleep_for(std::chrono::seconds(6));
  NatsTransport(Settings()).Publish("E-2", "two");
  auto start = steady_clock::now();
  std::vector<GroupMessage> got = transport.Fetch(1, 10);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].bytes, "two");
  EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST_F(NatsTransportTest, ARepeatedMessageIdIsStoredOnce) {
  NatsTransport transport(Settings());
  uint64_t first = transport.Publish("B-7-2", "edit");
  EXPECT_EQ(NatsTransport(Settings()).Publish("B-7-2", "edit"), first);
  EXPECT_EQ(transport.LastSequence(), 1u);
  EXPECT_EQ(transport.Fetch(0, 10).size(), 1u);
}

TEST_F(NatsTransportTest, ReadsPastManyPullBatches) {
  NatsTransport transport(Settings());
  constexpr int kCount = 4500;
  for (int i = 1; i <= kCount; ++i)
    transport.Publish("C-" + std::to_string(i), std::to_string(i));
  std::vector<GroupMessage> got = transport.Fetch(0, kCount + 10);
  ASSERT_EQ(got.size(), std::size_t(kCount));
  EXPECT_EQ(got.back().bytes, std::to_string(kCount));
  std::vector<GroupMessage> tail = transport.Fetch(4000, 300);
  ASSERT_EQ(tail.size(), 300u);
  EXPECT_EQ(tail.front().sequence, 4001u);
}

TEST_F(NatsTransportTest, KilledBrokerKeepsItsStoreAndAnEmptyOneReadsZero) {
  {
    NatsTransport transport(Settings());
    transport.Publish("D-1", "one");
    transport.Publish("D-2", "two");
  }
  Restart(/*keep_store=*/true);
  EXPECT_EQ(NatsTransport(Settings()).LastSequence(), 2u);

  NatsTransport connected(Settings());
  Restart(/*keep_store=*/false);
  EXPECT_EQ(NatsTransport(Settings()).LastSequence(), 0u);
  // The station that stayed connected finds the broker again and refills the new stream.
  uint64_t sequence = 0;
  for (auto until = steady_clock::now() + std::chrono::seconds(5);
       !sequence && steady_clock::now() < until;) {
    try {
      sequence = connected.Publish("D-1", "one");
    } catch (const GroupError&) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  EXPECT_EQ(sequence, 1u);
  EXPECT_EQ(connected.Fetch(0, 10).size(), 1u);
}

TEST_F(NatsTransportTest, AWrongSecretIsRefusedAndNamed) {
  const struct {
    const char* name;
    GroupSecret secret;
  } cases[] = {
      {"wrong token", {"not-the-token", "", ""}},
      {"no secret", {}},
      {"user and password where a token is asked", {"", "op", kToken}},
  };
  for (const auto& c : cases) {
    NatsSettings settings = Settings();
    settings.secret = c.secret;
    try {
      NatsTransport transport(settings);
      ADD_FAILURE() << c.name << ": connected";
    } catch (const GroupError& e) {
      EXPECT_NE(std::string(e.what()).find("the broker refused the secret"), std::string::npos)
          << c.name << ": " << e.what();
      EXPECT_EQ(std::string(e.what()).find(kToken), std::string::npos) << c.name;
    }
  }
}

TEST(NatsTransport, BrokersThatAreDownFailQuicklyAndAreNamedWithoutSecrets) {
  std::string a = "127.0.0.1:" + std::to_string(FreeLoopbackPort());
  std::string b = "127.0.0.1:" + std::to_string(FreeLoopbackPort());
  const struct {
    std::string url;
    std::string shown;
  } cases[] = {
      {"nats://" + a, "nats://" + a},
      {" nats://op:pw-secret@" + a + " ,, nats://tok-secret@" + b + ",",
       "nats://" + a + ",nats://" + b},
  };
  for (const auto& c : cases) {
    NatsSettings settings;
    settings.url = c.url;
    settings.group = "g";
    auto start = steady_clock::now();
    try {
      NatsTransport transport(settings);
      ADD_FAILURE() << "connected to nothing";
    } catch (const GroupError& e) {
      EXPECT_NE(std::string(e.what()).find("cannot reach the group's broker at " + c.shown + ":"),
                std::string::npos)
          << e.what();
      EXPECT_EQ(std::string(e.what()).find("secret"), std::string::npos) << e.what();
    }
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(2)) << c.url;
  }
  NatsSettings none;
  none.url = " , ";
  none.group = "g";
  EXPECT_THROW(NatsTransport{none}, GroupError);
}

TEST(NatsTransport, GroupNamesAreSubjectWordsAndIgnoreCase) {
  for (const char* good : {"a", "Field-Day_2", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"})
    EXPECT_TRUE(IsGroupName(good)) << good;
  for (const char* bad : {"", "a.b", "a b", "*", ">", "a/b", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456"})
    EXPECT_FALSE(IsGroupName(bad)) << bad;
  EXPECT_EQ(GroupStreamName("Field-Day"), "MIRVA_FIELD-DAY");
  EXPECT_EQ(GroupSubject("Field-Day"), "mirva.field-day.changes");
}

TEST(GroupSecret, FirstLineTrimmedTokenOrUserAndPassword) {
  const struct {
    const char* text;
    const char* token;
    const char* user;
    const char* password;
  } cases[] = {
      {"tok\n", "tok", "", ""},
      {"  op:pa ss \r\nnext line", "", "op", "pa ss"},
      {"op:pw:with:colons", "", "op", "pw:with:colons"},
  };
  for (const auto& c : cases) {
    GroupSecret secret = ParseGroupSecret(c.text);
    EXPECT_EQ(secret.token, c.token) << c.text;
    EXPECT_EQ(secret.user, c.user) << c.text;
    EXPECT_EQ(secret.password, c.password) << c.text;
  }
  for (const char* empty : {"", "\n", " \t\r\ntoken on the second line"})
    EXPECT_THROW(ParseGroupSecret(empty), GroupError) << empty;
  EXPECT_THROW(ReadGroupSecret("/nonexistent/secret"), GroupError);
}

}  // namespace
}  // namespace mirva
