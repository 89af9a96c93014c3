#include "group/group_serials.h"

#include <gtest/gtest.h>

#include <map>

#include "group/group_serial_source.h"
#include "group/serial_refill.h"
#include "session_fixture.h"

namespace mirva {
namespace {

TEST(GroupSerialsTest, HandsOutDeckThenReserveAndForgetsOnlySpentNumbers) {
  struct Case {
    std::vector<uint64_t> deck, reserve, spent;
    std::optional<uint64_t> next;
    uint64_t last_sent;
  } cases[] = {
      {{5, 6}, {30, 31}, {}, 5, 0},  // a proposal not saved stays
      {{5, 6}, {30, 31}, {5}, 6, 5},
      {{5}, {30, 31}, {5}, 30, 5},  // the reserve once the deck is used
      {{5, 6}, {30}, {6}, 5, 6},    // a typed number leaves the other
      {{5}, {30}, {44}, 5, 44},     // a number not held only counts as sent
      {{}, {}, {}, std::nullopt, 0},
      {{5}, {30}, {5, 30}, std::nullopt, 30},
  };
  for (const Case& c : cases) {
    GroupSerials serials;
    for (uint64_t n : c.deck)
      serials.AddToDeck("next", n, 1);
    for (uint64_t n : c.reserve)
      serials.AddToReserve("next", n, 1);
    for (uint64_t n : c.spent)
      serials.Spent("next", n);
    EXPECT_EQ(serials.Next("next"), c.next) << c.deck.size() << " " << c.spent.size();
    EXPECT_EQ(serials.LastSent("next"), c.last_sent);
    EXPECT_EQ(ParseGroupSerials(FormatGroupSerials(serials)), serials);
  }
}

TEST(GroupSerialsTest, BandsKeepTheirOwnNumbersOnlyWhenNumberedPerBand) {
  EXPECT_EQ(SerialKey(false, "20"), SerialKey(false, "40"));
  EXPECT_EQ(SerialKey(true, "20"), "next.20");
  GroupSerials serials;
  serials.AddToDeck(SerialKey(true, "20"), 7, 2);
  serials.AddToDeck(SerialKey(true, "40"), 7, 2);
  serials.Spent(SerialKey(true, "20"), 7);
  EXPECT_EQ(serials.Next(SerialKey(true, "20")), 8u);
  EXPECT_EQ(serials.Next(SerialKey(true, "40")), 7u);
}

TEST(GroupSerialsTest, ADamagedFileReadsAsNoNumbers) {
  for (const char* text : {
           "mirva-group-serials 1\nnext sent 4 deck 5 6 reserve 9\n",  // cut short
           "mirva-group-serials 2\nnext sent 4 deck 5 reserve\nend\n",
           "mirva-group-serials 1\nnext sent x deck 5 reserve\nend\n",
           "mirva-group-serials 1\nnext sent 4 deck 0 reserve\nend\n",
           "mirva-group-serials 1\nnext sent 4 deck 5\nend\n",
           "mirva-group-serials 1\nnext sent 4 deck reserve 1 reserve 2\nend\n",
           "mirva-group-serials 1\nother sent 4 deck reserve\nend\n",
           "mirva-group-serials 1\nnext sent 4 deck reserve\nnext sent 5 deck reserve\nend\n",
           "",
       }) {
    EXPECT_TRUE(ParseGroupSerials(text).pools().empty()) << text;
  }
}

/// A counter that gives numbers from one place per key, never below the floor.
class FakeCounter : public SerialCounter {
 public:
  uint64_t Take(const std::string& key, uint64_t count, uint64_t floor, uint64_t start) override {
    uint64_t first = std::max(next.contains(key) ? next[key] : start, floor);
    next[key] = first + count;
    return first;
  }
  std::map<std::string, uint64_t> next;
};

TEST(GroupSerialsTest, ARefillStartsAboveTheLogAndWhatThePoolHeld) {
  GroupSerials serials;
  serials.Spent("next", 90);
  FakeCounter counter;
  RefillSerials(serials, counter, {{"next", 51}}, 0);
  EXPECT_EQ(serials.pools().at("next").deck, (std::vector<uint64_t>{91, 92}));
  EXPECT_EQ(serials.pools().at("next").reserve.size(), kSerialReserveSize);
  EXPECT_EQ(serials.pools().at("next").reserve.front(), 93u);
  serials.Spent("next", 91);
  RefillSerials(serials, counter, {{"next", 51}}, 0);
  EXPECT_EQ(serials.pools().at("next").deck, (std::vector<uint64_t>{92, 113}));
  // A broker that lost its store: what was held is given up, and the new counter starts above
  // it with room for the numbers the three stations the log knows, and one more, may hold.
  serials.DropHeld();
  EXPECT_EQ(serials.Next("next"), std::nullopt);
  GroupIds ids;
  for (const char* station : {"A", "B", "A", ""})
    ids.live.emplace_back().station = station;
  ids.live[0].current.editor = "C";  // an edit by a station that made no QSO
  ASSERT_EQ(SerialHeadroom(ids), 4 * (kSerialDeckSize + kSerialReserveSize));
  FakeCounter restarted;
  RefillSerials(serials, restarted, {{"next", 51}}, SerialHeadroom(ids));
  EXPECT_EQ(serials.Next("next"), 114u + 88u);
  // A new group's numbers begin at 1.
  GroupSerials fresh;
  RefillSerials(fresh, restarted, {{"next.20", 1}}, SerialHeadroom(ids));
  EXPECT_EQ(fresh.Next("next.20"), 1u);
}

class GroupSerialSessionTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    Setup("CQ WW WPX Contest (CW)", "DL1ABC");
    session.SetSerialSource(&source);
  }
  void Log(std::string_view sent) {
    TQSOData q = Qso("G4ABC", "20", "CW", "001");
    q.NumberSent = sent;
    session.SaveQso(q);
  }

  GroupSerials serials;
  std::string path = dir.path() + "/" + kGroupSerialsFileName;
  GroupSerialSource source{serials, false, fs, path};
};

TEST_F(GroupSerialSessionTest, ASavedNumberLeavesThePoolAndItsFile) {
  serials.AddToDeck("next", 101, 2);
  EXPECT_TRUE(session.NumbersQsos());
  EXPECT_EQ(session.NextSentExchange("20"), "101");
  EXPECT_EQ(session.NextSentExchange("20"), "101");
  Log("101");
  EXPECT_EQ(session.NextSentExchange("20"), "102");
  EXPECT_EQ(LoadGroupSerials(fs, path), serials);
  EXPECT_EQ(serials.LastSent("next"), 101u);
}

TEST_F(GroupSerialSessionTest, WithoutNumbersTheLogCountsOnNeverBelowTheOwnLast) {
  struct Case {
    uint64_t own_last;
    std::vector<std::string> logged;
    const char* expected;
  } cases[] = {
      {0, {}, "001"},        {0, {"050"}, "051"},
      {200, {"050"}, "201"},  // another station's lower number came last
      {200, {"300"}, "301"}, {200, {"X"}, "201"},
  };
  for (const Case& c : cases) {
    session.SetSerialSource(nullptr);
    session.ClearLog();
    for (const std::string& sent : c.logged)
      Log(sent);
    serials = GroupSerials();
    if (c.own_last > 0)
      serials.Spent("next", c.own_last);
    session.SetSerialSource(&source);
    EXPECT_EQ(session.NextSentExchange(), c.expected) << c.own_last;
  }
}

TEST_F(GroupSerialSessionTest, ASerialBesideTheCantonComesFromTheGroupToo) {
  Setup("Helvetia contest", "HB9ABC", "ZH");
  serials.AddToDeck("next", 101, 2);
  EXPECT_EQ(session.NextSentExchange("20"), "101/ZH");
  Log("101/ZH");
  EXPECT_EQ(session.NextSentExchange("20"), "102/ZH");
}

TEST_F(GroupSerialSessionTest, AContestWithoutSerialsAsksNoNumber) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  serials.AddToDeck("next", 101, 2);
  EXPECT_FALSE(session.NumbersQsos());
  Log("14");
  EXPECT_EQ(serials.Next("next"), 101u);
}

}  // namespace
}  // namespace mirva
