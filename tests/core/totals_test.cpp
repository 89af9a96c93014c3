#include "scoring/totals.h"

#include <gtest/gtest.h>

#include <limits>

#include "session_fixture.h"

namespace mirva {
namespace {

TEST(TotalsTest, ScoreCountsNoMultipliersAsOneAndDoesNotOverflow) {
  struct Row {
    int32_t points, mults;
    int64_t score;
  };
  const Row rows[] = {
      {120, 0, 120},
      {100, 7, 700},
      {0, 5, 0},
      {std::numeric_limits<int32_t>::max(), 4, 4 * int64_t{std::numeric_limits<int32_t>::max()}},
  };
  for (const Row& row : rows) {
    ContestTotals totals;
    totals.TotalPoints = row.points;
    totals.TotalMults = row.mults;
    EXPECT_EQ(Score(totals), row.score) << row.points << " x " << row.mults;
  }
}

// Points that large come only from a damaged log file; the 32-bit total wraps around instead
// of overflowing.
TEST_F(SessionTest, TotalPointsOfADamagedLogWrapAround) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  TQSOData huge;
  huge.Call = "DL1ABC";
  huge.Points = kMax;
  huge.Points2 = kMax;
  huge.Points3 = 3;
  dir.Write(kLogFileName, EncodeQSO(huge) + EncodeQSO(huge));
  session.Start();
  session.RebuildTotals();
  EXPECT_EQ(session.totals().TotalPoints, 2);  // 2 * (2 * kMax + 3) modulo 2^32

  huge.Points2 = 1;
  huge.Points3 = 0;
  dir.Write(kLogFileName, EncodeQSO(huge));
  session.Start();
  session.RebuildTotals();
  EXPECT_EQ(session.totals().TotalPoints, std::numeric_limits<int32_t>::min());
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
  const std::vector<std::vector<int32_t>> expected = {
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
