#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using ContestSetupTest = SessionTest;

// A fresh working directory has no station yet, and every contest still sets up; only the
// points table, which no working directory starts with, is missed.
TEST_F(ContestSetupTest, EveryContestSetsUpWithoutAStation) {
  for (const ContestRules* rules : AllContestRules())
    EXPECT_TRUE(session.SetupContest(rules->name)) << Cp1251ToUtf8(rules->name);
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_TRUE(notifier.errors[0].starts_with("The points table " + dir / "points.tbl"));
}

TEST_F(ContestSetupTest, UnknownNameKeepsThePreviousContest) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  std::size_t countries = session.contest().MultList1.size();
  for (std::string_view name : {"CQ WW DX Contest (CW) ", "cq ww dx contest (cw)", ""}) {
    EXPECT_FALSE(session.SetupContest(name));
    EXPECT_EQ(session.Contest().Name, "CQ WW DX Contest (CW)");
    EXPECT_EQ(session.contest().MultList1.size(), countries);
  }
}

// Without a contest the WAE-only countries count.
TEST_F(ContestSetupTest, NothingIsScoredOrADuplicateBeforeAnyContest) {
  EXPECT_FALSE(session.HasContest());
  EXPECT_THROW(session.Contest(), std::logic_error);
  TQSOData q = Qso("TA1ABC", "20", "CW");
  EXPECT_EQ(q.CountryPrefix, "TA1");
  session.SaveQso(q);
  EXPECT_FALSE(session.IsDupe("TA1ABC", "20", "CW", "12:00"));
  EXPECT_EQ(session.ComputeQsoPoints(q), PointsTriple{});
}

TEST_F(ContestSetupTest, RememberedIndexPicksTheCatalogueLine) {
  session.LoadCatalogue();
  session.SetContestIndex(1);
  ASSERT_TRUE(session.SetupRememberedContest());
  EXPECT_EQ(session.Contest().Name, session.ContestCatalogue()[1]);
  for (int bad : {-1, 36, 1000}) {
    session.SetContestIndex(bad);
    EXPECT_FALSE(session.SetupRememberedContest());
  }
}

// Six bands and three modes fit; a set-up blanks what the contest before wrote.
TEST_F(ContestSetupTest, GridShowsTheBandsAndModesThatFit) {
  Setup("CQ-M International DX Contest", "UA3ABC");
  const StatGrid& grid = session.contest().QsoStat;
  EXPECT_EQ(grid.cells[6][0], "10");
  EXPECT_EQ(grid.cells[0][3], "SSTV");

  Setup("CQ WW 160m DX contest (SSB)", "UA3ABC");
  EXPECT_EQ(grid.cells[1][0], "160");
  EXPECT_EQ(grid.cells[0][1], "SSB");
  EXPECT_EQ(grid.cells[2][0], " ");
}

// P-150-C.DAT knows no Asiatic Russia.
TEST_F(ContestSetupTest, CqmCountsByItsOwnCountryListUntilAnotherContest) {
  Setup("CQ-M International DX Contest", "UA9ABC");
  EXPECT_EQ(Qso("UA9ABC", "20", "CW").CountryPrefix, "UA");
  Setup("CQ WW DX Contest (CW)", "UA9ABC");
  EXPECT_EQ(Qso("UA9ABC", "20", "CW").CountryPrefix, "UA9");
}

TEST_F(ContestSetupTest, BrokenPointTableFailsTheSetupWithAMessage) {
  dir.Write("points.tbl", "1 2 x\n");
  EXPECT_FALSE(session.SetupContest("VOLTA RTTY WW Contest"));
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(notifier.errors[0], "'x' is not a valid integer value");
  EXPECT_EQ(session.PointsTable().At(1, 2), 2);
}

}  // namespace
}  // namespace mirva
