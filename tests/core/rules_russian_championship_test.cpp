#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using RussianChampionshipTest = SessionTest;

constexpr char kCw[] = "Чемпионат/Кубок России телеграфом";

TEST_F(RussianChampionshipTest, ZoneDifferenceAndBonuses) {
  Setup(kCw, "UA3ABC", "3");
  struct Step {
    const char* call;
    const char* rcvd;
    const char* time;
    PointsTriple points;
  } steps[] = {
      {"UA9ABC", "5123", "14:05", {11, 10, 100}},  // first QSO of the hour with zone 5
      {"UA9XYZ", "5001", "14:30", {11, 10, 0}},    // zone 5 already worked this hour
      {"UA9ABC", "5002", "15:10", {11, 0, 100}},   // station already worked
      {"UA1AAA", "3001", "15:11", {10, 10, 100}},
      {"UA1BBB", "4001", "15:12", {10, 10, 100}},
      {"UA1CCC", "1001", "15:13", {11, 10, 100}},
      {"UA1EEE", "6001", "15:14", {13, 10, 100}},
      {"UA1FFF", "7001", "15:15", {15, 10, 100}},
      {"UA1DDD", "8001", "15:16", {0, 10, 100}},  // zones 5 or more apart
  };
  for (const Step& s : steps) {
    TQSOData q = Qso(s.call, "20", "CW", s.rcvd, s.time);
    EXPECT_EQ(session.ComputeQsoPoints(q), s.points) << s.call << " " << s.time;
    RawLog().AppendQSO(q);
  }
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
