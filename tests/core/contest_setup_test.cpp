#include <gtest/gtest.h>

#include "session_fixture.h"

namespace mirva {
namespace {

using ContestSetupTest = SessionTest;

// A fresh working directory has no station yet, and every contest still sets up; only the
// points table, which no working directory starts with, is missed, and the two championships
// ask for the zone in State.
TEST_F(ContestSetupTest, EveryContestSetsUpWithoutAStation) {
  for (const ContestRules* rules : AllContestRules())
    EXPECT_TRUE(session.SetupContest(rules->name)) << Cp1251ToUtf8(rules->name);
  ASSERT_EQ(notifier.errors.size(), 3u);
  int points_table = 0;
  int state = 0;
  for (const std::string& error : notifier.errors) {
    points_table += error.starts_with("The points table " + dir / "points.tbl");
    state += error.find("State field; State is empty.") != std::string::npos;
  }
  EXPECT_EQ(points_table, 1);
  EXPECT_EQ(state, 2);
}

// Only the championship reads a zone from State; a bad one is told at every set-up of it.
TEST_F(ContestSetupTest, StateThatIsNoZoneIsToldAtTheSetup) {
  constexpr char kChampionship[] = "Чемпионат/Кубок России телеграфом";
  const std::string ask =
      "The championship sends and scores by your zone, a number from 1 to 5 "
      "in the station's State field; ";
  struct Case {
    const char* contest;
    const char* state;
    std::string told;  ///< empty: nothing
    bool scores_nothing;
  } cases[] = {
      {kChampionship, "3", "", false},
      {kChampionship, " 1 ", "", false},
      {kChampionship, "MO", ask + "'MO' is not one. Until it is, every QSO scores 0 points.", true},
      {kChampionship, "  ", ask + "State is empty. Until it is, every QSO scores 0 points.", true},
      {kChampionship, "0",
       ask + "'0' is not one. Until it is, the QSOs are scored as if your zone were 0.", false},
      {kChampionship, "7",
       ask + "'7' is not one. Until it is, the QSOs are scored as if your zone were 7.", false},
      {"Чемпионат/Кубок России телефоном", "x",
       ask + "'x' is not one. Until it is, every QSO scores 0 points.", true},
      {"Russian DX contest", "x", "", false},
      {"CQ WW DX Contest (CW)", "", "", false},
  };
  for (const Case& c : cases) {
    notifier.errors.clear();
    Setup(c.contest, "UA3ABC", c.state);
    const std::string where = std::string(c.contest) + " '" + c.state + "'";
    EXPECT_EQ(session.FitOfStation().problem, c.told) << where;
    EXPECT_EQ(session.FitOfStation().scores_nothing, c.scores_nothing) << where;
    EXPECT_EQ(notifier.errors,
              c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told})
        << where;
  }
}

// The station changes between set-ups: its fit follows it at once, told at the next set-up.
TEST_F(ContestSetupTest, StationFitFollowsTheStation) {
  Setup("Чемпионат/Кубок России телеграфом", "UA3ABC", "x");
  TStationCFG station = session.StoredStation();
  station.State = "2";
  notifier.errors.clear();
  session.SetStation(station);
  EXPECT_EQ(session.FitOfStation().problem, "");
  EXPECT_TRUE(notifier.errors.empty());
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

// A catalogue line must be a name exactly; one that nearly is says how it differs.
TEST_F(ContestSetupTest, CatalogueLineSaysWhyItNamesNoContest) {
  const std::string cq = "; the contest is written 'CQ WW DX Contest (CW)'";
  const std::string russian = Utf8ToCp1251("Чемпионат/Кубок России телеграфом");
  struct Case {
    std::string line;  ///< Windows-1251
    std::string problem;
    bool near;
  } cases[] = {
      {russian, "", false},
      {"	CQ WW DX Contest (CW)", "it has a blank at its start" + cq, true},
      {" CQ WW DX Contest (CW) ", "it has blanks at its start and end" + cq, true},
      {"CQ WW  DX Contest (CW)", "it has other blanks between its words" + cq, true},
      {" CQ WW DX contest  (CW)",
       "it has a blank at its start, other blanks between its words and its letters in another "
       "case" +
           cq,
       true},
      {"Чемпионат/Кубок России телеграфом",  // the UTF-8 bytes of the name
       "it is UTF-8 text, where Contests.mrv is read as Windows-1251; the contest is written '" +
           russian + "'",
       true},
      {"Чемпионат/Кубок России телеграфом ",
       "it is UTF-8 text, where Contests.mrv is read as Windows-1251, and has a blank at its end; "
       "the contest is written '" +
           russian + "'",
       true},
      {"   ", "it is empty", false},
  };
  for (const Case& c : cases) {
    CatalogueLine checked = CheckCatalogueLine(c.line);
    EXPECT_EQ(checked.rules != nullptr, c.problem.empty()) << c.line;
    EXPECT_EQ(checked.problem, c.problem) << c.line;
    EXPECT_EQ(checked.meant != nullptr, c.near) << c.line;
  }
  EXPECT_EQ(UnusableCatalogueLineMessage(36, CheckCatalogueLine("CQ WW DX Contest (CW) ")),
            "Line 37 of Contests.mrv names no contest: it has a blank at its end" + cq +
                ". Correct the line in Contests.mrv and choose the contest again.");
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

// A set-up blanks what the contest before wrote.
TEST_F(ContestSetupTest, GridShowsTheBandsAndModesThatFit) {
  Setup("CQ-M International DX Contest", "UA3ABC");
  const StatGrid& grid = session.contest().QsoStat;
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
