#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using ContestSetupTest = SessionTest;

TEST_F(ContestSetupTest, EveryCatalogueNameHasRulesAndSetsUpUnderItsOwnName) {
  session.LoadCatalogue();
  ASSERT_EQ(session.ContestCatalogue.size(), 36u);
  EXPECT_EQ(AllContestRules().size(), 36u);
  for (const std::string& name : session.ContestCatalogue) {
    SCOPED_TRACE(Cp1251ToUtf8(name));
    ASSERT_NE(FindContestRules(name), nullptr);
    ASSERT_TRUE(session.SetupContest(name));
    EXPECT_EQ(session.Contest().Name, name);
    EXPECT_EQ(session.Contest().CabrilloFormat, 1);
  }
  EXPECT_TRUE(notifier.errors.empty());
}

TEST_F(ContestSetupTest, UnknownNameKeepsThePreviousContest) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  std::size_t countries = session.contest.MultList1.size();
  for (std::string_view name : {"CQ WW DX Contest (CW) ", "cq ww dx contest (cw)", ""}) {
    EXPECT_FALSE(session.SetupContest(name));
    EXPECT_EQ(session.Contest().Name, "CQ WW DX Contest (CW)");
    EXPECT_EQ(session.contest.MultList1.size(), countries);
  }
}

TEST_F(ContestSetupTest, NothingIsScoredOrADuplicateBeforeAnyContest) {
  EXPECT_FALSE(session.HasContest());
  EXPECT_THROW(session.Contest(), std::logic_error);
  TQSOData q = Qso("DL1ABC", "20", "CW");
  session.log.AppendQSO(q, 0);
  EXPECT_FALSE(session.IsDupe("DL1ABC", "20", "CW", "12:00"));
  EXPECT_EQ(session.ComputeQsoPoints(q), PointsTriple{});
}

TEST_F(ContestSetupTest, RememberedIndexPicksTheCatalogueLine) {
  session.LoadCatalogue();
  session.ContestIndex = 1;
  ASSERT_TRUE(session.SetupRememberedContest());
  EXPECT_EQ(session.Contest().Name, session.ContestCatalogue[1]);
  for (int bad : {-1, 36, 1000}) {
    session.ContestIndex = bad;
    EXPECT_FALSE(session.SetupRememberedContest());
  }
}

TEST_F(ContestSetupTest, GridShowsSixBandsAndThreeModes) {
  dir.Write("P-150-C.DAT", dir.Read("CTY.DAT"));
  Setup("CQ-M International DX Contest", "UA3ABC");
  const StatGrid& grid = session.contest.QsoStat;
  EXPECT_EQ(session.Contest().Bands.size(), 7u);  // "SAT" has no column
  EXPECT_EQ(grid.cells[1][0], "160");
  EXPECT_EQ(grid.cells[6][0], "10");
  EXPECT_EQ(grid.cells[0][3], "SSTV");

  Setup("CQ WW 160m DX contest (SSB)", "UA3ABC");
  EXPECT_EQ(grid.cells[1][0], "160");
  EXPECT_EQ(grid.cells[2][0], " ");  // blanked by the set-up
  EXPECT_EQ(grid.cells[0][1], "SSB");
  EXPECT_EQ(grid.cells[0][2], " ");
  EXPECT_EQ(grid.cells[0][0], " ");
}

TEST_F(ContestSetupTest, CqmCountsByItsOwnCountryListUntilAnotherContest) {
  dir.Write("P-150-C.DAT",
            "Russia:                   16:  29:  EU:   55.00:   -37.00:    -3.0:  UA:\n"
            "    UA,R;\n"
            "Germany:                  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
            "    DL;\n");
  Setup("CQ-M International DX Contest", "UA9ABC");
  EXPECT_EQ(session.countries.CountryList().size(), 2u);
  TCountry rec;
  session.FindCountry("UA9ABC", rec);
  EXPECT_EQ(rec.Prefix, "UA");
  Setup("CQ WW DX Contest (CW)", "UA9ABC");
  rec = TCountry();
  session.FindCountry("UA9ABC", rec);
  EXPECT_EQ(rec.Prefix, "UA9");
}

TEST_F(ContestSetupTest, EachSetupAppliesTheStoredStationAgain) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  session.StationCfg.CQ = "99";
  ASSERT_TRUE(session.SetupContest("CQ WW DX Contest (SSB)"));
  EXPECT_EQ(session.StationCfg.CQ, "14");
}

TEST_F(ContestSetupTest, WaeOnlyCountriesFollowTheContest) {
  TCountry rec;
  session.FindCountry("TA1ABC", rec);
  EXPECT_EQ(rec.Prefix, "TA1");  // no contest yet: WAE-only countries count
  Setup("Anatolian WW RTTY Contest", "TA2ABC");
  ASSERT_FALSE(session.Contest().UseWAE);
  rec = TCountry();
  session.FindCountry("TA1ABC", rec);
  EXPECT_EQ(rec.Prefix, "TA");
}

TEST_F(ContestSetupTest, BrokenPointTableFailsTheSetupWithAMessage) {
  dir.Write("points.tbl", "1 2 x\n");
  TStationCFG station;
  session.StoredStation = station;
  EXPECT_FALSE(session.SetupContest("VOLTA RTTY WW Contest"));
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(notifier.errors[0], "'x' is not a valid integer value");
  EXPECT_EQ(session.PointsTable.At(1, 2), 2);
}

}  // namespace
}  // namespace mirva
