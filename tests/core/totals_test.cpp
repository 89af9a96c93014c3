#include "scoring/totals.h"

#include <gtest/gtest.h>

#include <limits>

#include "session_fixture.h"

namespace mirva {
namespace {

TEST(TotalsTest, ScoreCountsNoMultipliersAsOneAndDoesNotOverflow) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  struct Row {
    int64_t points, mults;
    int64_t score, claimed;
  };
  const Row rows[] = {
      {120, 0, 120, 0},
      {100, 7, 700, 700},
      {0, 5, 0, 0},
      {-40, 3, -120, -120},
      // Past the range the product stops at its end, keeping its sign.
      {kMax / 3 + 1, 3, kMax, kMax},
      {kMin / 3 - 1, 3, kMin, kMin},
      {kMin / 2, 2, kMin, kMin},
      {kMax, 0, kMax, 0},
  };
  for (const Row& row : rows) {
    ContestTotals totals;
    totals.TotalPoints = row.points;
    totals.TotalMults = row.mults;
    EXPECT_EQ(Score(totals), row.score) << row.points << " x " << row.mults;
    EXPECT_EQ(ClaimedScore(totals), row.claimed) << row.points << " x " << row.mults;
  }
  EXPECT_EQ(ScoreProduct(kMin, -1), kMax);
  EXPECT_EQ(ScoreProduct(-3, -5), 15);
}

// Point fields at the ends of their range, as a damaged log holds them, add up exactly both
// when each QSO is counted as it is appended and when the log is replayed.
class PointSumTest : public SessionTest {};

TEST_F(PointSumTest, FieldsAtTheirLimitsAddUpWithoutOverflow) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  session.RebuildTotals();
  struct Row {
    int32_t points, points2, points3;
    int64_t total;  // after this QSO
  };
  const Row rows[] = {
      {kMax, kMax, kMax, 6442450941},  {kMax, kMax, kMax, 12884901882},
      {kMin, kMin, kMin, 6442450938},  {kMin, kMin, kMin, -6},
      {kMin, kMin, kMin, -6442450950},
  };
  for (const Row& row : rows) {
    TQSOData q = Qso("UA3ABC", "20", "CW");
    q.Points = row.points;
    q.Points2 = row.points2;
    q.Points3 = row.points3;
    RawLog().AppendQSO(q);
    UpdateAfterAppend(RawContest(), RawTotals(), session.Rules(), session.log(), q, {});
    EXPECT_EQ(session.totals().TotalPoints, row.total);
  }
  session.RebuildTotals();
  EXPECT_EQ(session.totals().TotalPoints, rows[4].total);
}

class QsoTableTest : public SessionTest {
 protected:
  void Add(std::string_view band, std::string_view mode) {
    session.SaveQso(Qso("DL1ABC", band, mode));
  }
};

// Seven bands and three modes: every band is counted, the grid shows the six it has room for,
// and a band or mode the contest lacks is in no cell.
TEST_F(QsoTableTest, CountsEveryBandOfTheContestAndLeavesForeignOnesOut) {
  Setup("CQ-M International DX Contest", "DL1ABC");
  session.RebuildTotals();
  Add("SAT", "SSTV");
  Add("20", "CW");
  Add("20", "CW");
  Add("30", "CW");
  Add("20", "FM");
  const std::vector<std::vector<int64_t>> expected = {
      {0, 0, 0, 2, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 1}};
  EXPECT_EQ(session.totals().QsoCounts, expected);
  const StatGrid& grid = session.contest().QsoStat;
  EXPECT_EQ(grid.cells[0][0], "5");
  EXPECT_EQ(grid.cells[4][1], "2");
  EXPECT_EQ(grid.cells[6][3], "0");

  session.RebuildTotals();
  EXPECT_EQ(session.totals().QsoCounts, expected);
  session.DeleteQso(1);
  EXPECT_EQ(session.totals().QsoCounts[0][3], 1);
  EXPECT_EQ(grid.cells[4][1], "1");
  EXPECT_EQ(grid.cells[0][0], "4");
}

}  // namespace
}  // namespace mirva
