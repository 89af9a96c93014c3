#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using RussianChampionshipTest = SessionTest;

constexpr char kCw[] = "Чемпионат/Кубок России телеграфом";

// The bonuses for a new station and a new zone in the hour are in score_qso_test.
TEST_F(RussianChampionshipTest, BasePointsByZoneDifference) {
  Setup(kCw, "UA3ABC", "3");
  const std::pair<const char*, int32_t> cases[] = {
      {"3001", 10}, {"4001", 10}, {"1001", 11}, {"5001", 11},
      {"6001", 13}, {"7001", 15}, {"8001", 0},  // zones 5 or more apart
  };
  for (auto [rcvd, points] : cases)
    EXPECT_EQ(BasePoints("UA9ABC", "20", "CW", rcvd), points) << rcvd;
}

TEST_F(RussianChampionshipTest, StateFarOutsideTheZonesScoresNoBasePoints) {
  for (const char* state : {"-2147483644", "2147483647", "-3"}) {
    Setup(kCw, "UA3ABC", state);
    EXPECT_EQ(BasePoints("UA9ABC", "20", "CW", "9"), 0) << state;
  }
}

constexpr char kBadState[] =
    "Неверное значение в поле State.\r\nВведите в поле State число от 1 до 5\r\n"
    "в соответствии с вашей зоной";
constexpr char kBadNumber[] =
    "Неверное значение в принятом номере.\r\nНомер может содержать только цифры.";

TEST_F(RussianChampionshipTest, BadStateOrNumberScoresNothingAndSaysWhy) {
  Setup(kCw, "UA3ABC", "x");
  notifier.errors.clear();  // the set-up told of the State
  PointsTriple points = session.ComputeQsoPoints(Qso("UA9ABC", "20", "CW", "5"));
  EXPECT_EQ(Cp1251ToUtf8(points.Problem), kBadState);
  EXPECT_EQ(points, PointsTriple{.Problem = points.Problem});

  Setup(kCw, "UA3ABC", "3");
  for (const char* rcvd : {"", "A5", " 5"}) {
    points = session.ComputeQsoPoints(Qso("UA9ABC", "20", "CW", rcvd));
    EXPECT_EQ(Cp1251ToUtf8(points.Problem), kBadNumber) << rcvd;
    EXPECT_EQ(points.Points + points.Points2 + points.Points3, 0) << rcvd;
  }
  EXPECT_TRUE(notifier.errors.empty());
}

// A rescoring tells each problem once, with how many QSOs had it, instead of once per QSO.
TEST_F(RussianChampionshipTest, RescoringTellsEachProblemOnce) {
  Setup(kCw, "UA3ABC", "3");
  for (const char* call : {"UA9AA", "UA9AB", "UA9AC", "UA9AD", "UA9AE"}) {
    const char* rcvd = call[4] == 'A' ? "5" : call[4] == 'B' ? "A5" : call[4] == 'C' ? "7" : "";
    session.SaveQso(Qso(call, "20", "CW", rcvd, "12:00"));
  }
  notifier.errors.clear();
  ASSERT_TRUE(session.RescoreLog());
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(Cp1251ToUtf8(notifier.errors[0]),
            std::string(kBadNumber) + "\r\n3 QSOs scored 0 points for this, first at QSO 2.");
}

}  // namespace
}  // namespace mirva
