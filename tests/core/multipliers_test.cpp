#include "scoring/multipliers.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "scoring/totals.h"
#include "session/rescore.h"
#include "session_fixture.h"

namespace mirva {
namespace {

// One QSO of a script and what saving it must give.
struct Step {
  const char* call;
  const char* band;
  const char* mode;  // empty: the contest's first mode
  const char* rcvd;
  int flags = 0;
  const char* mark = nullptr;  // UTF-8; null: the result is not checked
};

// Each contest runs the steps from an empty log, for the station `own`.
struct Script {
  std::vector<const char*> contests;  // UTF-8
  const char* own;
  std::vector<Step> steps;
  const char* state = "";
};

const Script kScripts[] = {
    // Per band; a blank exchange takes the country's CQ zone, "00" matches no zone; a band or
    // mode that is not the contest's counts for nothing.
    {{"CQ WW DX Contest (CW)", "CQ WW DX Contest (SSB)", "GACW CW DX Contest"},
     "DL1ABC",
     {{"F5AB", "20", "", "14", 3, "F 14"},
      {"F6XY", "20", "", "14", 0, "- -"},
      {"W1AW", "20", "", "05", 3, "K 05"},
      {"N2XY", "20", "", "04", 2, "- 04"},
      {"VK2AB", "20", "", "00", 1, "VK -"},
      {"VK2AB", "12", "", "30", 0, "- -"},
      {"VK2AB", "40", "RTTY", "30", 0, "- -"}}},
    // Once per contest, the prefixes appended as they come.
    {{"CQ WW WPX Contest (CW)", "CQ WW WPX Contest (SSB)", "CQ WW RTTY WPX Contest"},
     "DL1ABC",
     {{"DL1AB", "20", "", "001", 1, "DL1"}, {"DL1XY", "15", "", "002", 0, "- -"}}},
    // Yugoslav prefixes are appended and count per band like the zones.
    {{"YU DX Contest"},
     "YU1ABC",
     {{"DL1AB", "20", "CW", "28", 1, "28 -"},
      {"YU1XY", "20", "CW", "28", 2, "- YU1"},
      {"YU1AB", "20", "SSB", "28", 0, "- -"},
      {"YU1AB", "15", "CW", "28", 3, "28 YU1"}}},
    // Areas and, as written, countries are appended; an area loses its blanks.
    {{"HOLYLAND DX Contest"},
     "DL1ABC",
     {{"4X1AB", "20", "CW", "T12", 1, "T12"},
      {"4Z5XY", "20", "SSB", "T12", 0, "- -"},
      {"4X1AB", "40", "CW", "T 13", 1, "T13"},
      {"F5AB", "40", "CW", "001", 1, "F"}}},
    {{"HOLYLAND DX Contest"}, "4X1ABC", {{"4Z5XY", "20", "CW", "001", 1, "4X"}}},
    // Counties are in the list, member numbers are appended, anything else counts nothing.
    {{"Hungarian DX Contest"},
     "DL1ABC",
     {{"HA1AB", "20", "", "BP", 1, "HA·BP"},
      {"HA3XY", "20", "", "1234", 1, "HA·1234"},
      {"HA5XY", "15", "", "1234 ", 1, "HA·1234"},
      {"HA6XY", "15", "", "1234", 0, "- -"},
      {"F5AB", "40", "", "1234", 0, "- -"}}},
    // The province is the exchange without its serial; Belgian prefixes are appended.
    {{"UBA DX Contest (CW)", "UBA DX Contest (SSB)"},
     "DL1ABC",
     {{"ON4AB", "20", "", "012AN", 3, "ON·AN ON4"},
      {"OT4XY", "20", "", "005/AN", 2, "- OT4"},
      {"F5AB", "20", "", "001", 1, "F -"},
      {"W1AW", "20", "", "001", 0, "- -"}}},
    {{"UBA DX Contest (CW)"},
     "ON4ABC",
     {{"F5AB", "20", "", "001", 1, "F"}, {"OT4XY", "20", "", "005", 1, "ON"}}},
    // The world works US states and Canadian provinces (table B), North America the world.
    {{"ARRL International DX Contest (CW)", "ARRL International DX Contest (SSB)"},
     "DL1ABC",
     {{"W1AW", "20", "", "MA", 1, "K·MA"}, {"VE1AB", "20", "", "PEI", 1, "VE·PEI"}}},
    {{"ARRL International DX Contest (CW)"},
     "K1ABC",
     {{"DL1XY", "20", "", "100", 1, "DL"}, {"VE3XY", "20", "", "100", 0, "- -"}}},
    // CW and SSB count apart; Hawaii and Alaska count as states.
    {{"ARRL 10 meter Contest"},
     "DL1ABC",
     {{"W1AW", "10", "CW", "MA", 1, "K·MA"},
      {"W1XY", "10", "CW", "MA", 0, "- -"},
      {"W1XY", "10", "SSB", "MA", 1, "K·MA"},
      {"KH7XY", "10", "CW", "HI", 1, "K·HI"},
      {"VE3AB", "10", "SSB", "ON", 1, "VE·ON"},
      {"F5AB", "10", "CW", "001", 1, "F"}}},
    // Once per contest; Hawaii is a country here.
    {{"ARRL RTTY Round-Up Contest"},
     "DL1ABC",
     {{"W1AW", "20", "", "MA", 1, "K·MA"},
      {"W1XY", "40", "", "MA", 0, "- -"},
      {"KH7XY", "40", "", "HI", 1, "KH6"}}},
    {{"CQ WW 160m DX contest (CW)", "CQ WW 160m DX contest (SSB)"},
     "DL1ABC",
     {{"VE3AB", "160", "", "ON", 1, "VE·ON"},
      {"KH7XY", "160", "", "", 1, "KH6"},
      {"F5AB", "80", "", "", 0, "- -"}}},
    // The world counts prefectures; a DX station's number, padded to three, is none.
    {{"Japan International DX Contest (HF CW)"},
     "DL1ABC",
     {{"JA1AB", "20", "", "13", 1, "13"}, {"DL2XY", "20", "", "014", 0, "- -"}}},
    // Japanese stations count countries and zones, a zone padded to three among them.
    {{"Japan International DX Contest (LF CW)"},
     "JA1ABC",
     {{"DL1AB", "40", "", "014", 3, "DL 14"}, {"W1AW", "40", "", "", 3, "K 05"}}},
    {{"Japan International DX Contest (PHONE)"},
     "JD1MAB",
     {{"DL1AB", "20", "", "014", 3, "DL 14"}}},
    // Spanish stations: countries outside Spain, then the provinces of Spanish stations.
    {{"King of Spain Contest (CW)", "King of Spain Contest (SSB)"},
     "EA8ABC",
     {{"DL1AB", "20", "", "001", 1, "DL -"}, {"EA1AB", "20", "", "M", 2, "- M"}}},
    {{"King of Spain Contest (SSB)"},
     "DL1ABC",
     {{"EA1AB", "20", "", "M", 1, "M"}, {"F5AB", "20", "", "001", 0, "- -"}}},
    {{"Anatolian WW RTTY Contest"},
     "DL1ABC",
     {{"W1AW", "20", "", "001", 3, "K K1"},
      {"TA1AB", "20", "", "003", 3, "TA TA1"},
      {"F5AB", "20", "", "005", 1, "F -"}}},
    {{"VOLTA RTTY WW Contest"},
     "DL1ABC",
     {{"W1AW", "20", "", "001-05", 1, "K1"},
      {"ZL1AB", "20", "", "004-32", 1, "ZL1"},
      {"ZL5AB", "20", "", "005-32", 0, "- -"},
      {"F5AB", "20", "", "006-14", 1, "F"}}},
    // Per band, whatever the mode; the satellite band is a band.
    {{"CQ-M International DX Contest"},
     "DL1ABC",
     {{"UA3AB", "20", "CW", "001", 1, "UA"},
      {"UA3XY", "20", "SSTV", "002", 0, "- -"},
      {"UA3XY", "SAT", "SSB", "003", 1, "UA"}}},
    // Italian provinces by their trimmed code, three sent under newer codes.
    {{"ARI International DX Contest"},
     "DL1ABC",
     {{"I1AB", "20", "CW", "MI", 1, "I·MI"},
      {"IK2XY", "20", "CW", "FC", 1, "I·FO"},
      {"IW0XY", "20", "CW", "RM", 1, "I·ROMA"},
      {"IS0AB", "20", "SSB", " CA ", 1, "I·CA"},
      {"F5AB", "20", "DIGI", "001", 1, "F"}}},
    {{"ARI International DX Contest"},
     "I1ABC",
     {{"DL1AB", "20", "CW", "001", 1, "DL"}, {"IK2XY", "20", "CW", "MI", 0, "- -"}}},
    // The canton, however the Swiss station sent it with its serial.
    {{"Helvetia contest"},
     "DL1ABC",
     {{"HB9AB", "20", "CW", "012ZH", 1, "ZH"},
      {"HB9XY", "20", "SSB", "ZH", 0, "- -"},
      {"HE9XY", "20", "CW", "001/BE", 1, "BE"},
      {"F5AB", "20", "CW", "005", 0, "- -"}}},
    {{"Helvetia contest"},
     "HB9ABC",
     {{"DL1AB", "20", "CW", "001", 1, "DL -"}, {"HB9XY", "20", "CW", "012ZH", 3, "HB ZH"}}},
    // Continents once per contest, countries and provinces per band.
    {{"SP DX RTTY Contest"},
     "DL1ABC",
     {{"SP5AB", "20", "", "B", 7, "SP EU B"},
      {"SQ9XY", "20", "", "K", 4, "- - K"},
      {"SP5AB", "15", "", "B", 5, "SP - B"},
      {"JA1AB", "15", "", "002", 3, "JA AS -"},
      {"JA1AB", "15", "", "003", 0, "- - -"}}},
    // Abroad, only Polish stations bring provinces: F is a province code too.
    {{"SP DX Contest"},
     "DL1ABC",
     {{"SP5AB", "20", "CW", "F", 1, "F"}, {"F5AB", "15", "CW", "001", 0, "- -"}}},
    {{"SP DX Contest"},
     "SP5ABC",
     {{"DL1AB", "20", "CW", "001", 1, "DL"}, {"SQ9XY", "20", "CW", "K", 1, "SP"}}},
    // Today's codes and the retired ones they replaced are oblasts alike.
    {{"Russian DX contest"},
     "DL1ABC",
     {{"UA3AB", "20", "CW", "MA", 3, "UA MA"},
      {"UA3XY", "20", "SSB", "MA", 0, "- -"},
      {"UA3MA", "20", "CW", "YR", 2, "- YR"},
      {"UA3MB", "20", "CW", "JA", 2, "- JA"},
      {"UA0UA", "15", "CW", "ZK", 3, "UA9 ZK"},
      {"UA0UB", "15", "CW", "CT", 2, "- CT"},
      {"UA6KA", "20", "CW", "XX", 0, "- -"},
      {"F5AB", "20", "CW", "001", 1, "F -"}}},
    {{"EA WW RTTY Contest"},
     "DL1ABC",
     {{"EA1AB", "20", "", "M", 3, "EA M"},
      {"EA5XY", "20", "", "V", 2, "- V"},
      {"W1AW", "20", "", "001", 3, "K K1"},
      {"ZL1AB", "20", "", "003", 1, "ZL -"}}},
    // Departments padded to three still name the two-digit keys.
    {{"REF contest (CW) Non France station", "REF contest (SSB) Non France station"},
     "DL1ABC",
     {{"F5AB", "20", "", "075", 1, "75"},
      {"F6XY", "20", "", "75", 0, "- -"},
      {"F6XY", "20", "", "2A", 1, "2A"}}},
    {{"DARC 10m-Contest"}, "DL1ABC", {{"F5AB", "10", "CW", "001", 0, "- -"}}},
    {{"Чемпионат/Кубок России телеграфом", "Чемпионат/Кубок России телефоном"},
     "UA3ABC",
     {{"UA9AB", "20", "", "NS", 0, "- -"},
      {"UA9AB", "40", "", "5001", 0, "- -"},
      {"UA9CD", "40", "", "5002", 0, "- -"}},
     "3"},
};

// What the totals and the worked multipliers come to.
struct Standing {
  int64_t points = 0;
  int64_t mults = 0;
  int64_t score = 0;
  std::array<TMultArray, 3> worked;  // the entries with any band worked

  bool operator==(const Standing&) const = default;
};

void PrintTo(const Standing& s, std::ostream* os) {
  *os << s.points << " points, " << s.mults << " multipliers, score " << s.score << ":";
  for (const TMultArray& list : s.worked) {
    *os << " [";
    for (const TMultEntry& e : list)
      *os << " " << Cp1251ToUtf8(e.Name) << "=" << int{e.Worked[0]} << "/" << int{e.Worked[1]};
    *os << " ]";
  }
}

class MultipliersTest : public SessionTest {
 protected:
  // Saves the QSO as the entry window does, after checking its flags and mark.
  void Save(const Step& step) {
    std::string mode = *step.mode ? step.mode : session.Contest().Modes.front();
    TQSOData q = Qso(step.call, step.band, mode, step.rcvd);
    ScoredQso saved = session.SaveQso(q);
    if (step.mark) {
      EXPECT_EQ(saved.mults.flags, step.flags) << step.call << " " << step.band << " " << mode;
      EXPECT_EQ(Cp1251ToUtf8(saved.record.MultsText), step.mark)
          << step.call << " " << step.band << " " << mode;
    }
  }

  void Run(const char* contest, const char* own, const std::vector<Step>& steps,
           const char* state = "") {
    session.ClearLog();
    Setup(contest, own, state);
    session.RebuildTotals();
    for (const Step& step : steps)
      Save(step);
  }

  Standing Now() const {
    Standing s{
        session.totals().TotalPoints, session.totals().TotalMults, Score(session.totals()), {}};
    for (int k = 0; k < 3; ++k) {
      for (const TMultEntry& e : session.contest().MultList(k)) {
        if (e.Worked != std::array<uint8_t, 4>{})
          s.worked[k].push_back(e);
      }
    }
    return s;
  }
};

// After each script, replaying the stored marks counts the same, and rescoring the log stores
// the same records (but for its duplicate marker in the note) and counts the same.
TEST_F(MultipliersTest, ScriptedLogs) {
  WritePointsTable();
  for (const Script& script : kScripts) {
    for (const char* contest : script.contests) {
      SCOPED_TRACE(std::string(contest) + ", " + script.own);
      Run(contest, script.own, script.steps, script.state);
      Standing appended = Now();
      std::vector<TQSOData> saved(session.log().QSOLog().begin(), session.log().QSOLog().end());
      session.RebuildTotals();
      EXPECT_EQ(Now(), appended);
      ASSERT_TRUE(session.RescoreLog());
      EXPECT_EQ(Now(), appended);
      for (std::size_t i = 0; i < saved.size(); ++i) {
        TQSOData rescored = session.log().QSOLog()[i];
        rescored.Note = saved[i].Note;
        EXPECT_EQ(rescored, saved[i]) << "QSO " << i + 1;
      }
    }
  }
}

// Deleting replays the stored marks, so a QSO that a later one repeats takes a rescoring to
// count anew.
TEST_F(MultipliersTest, DeletingMatchesALogThatNeverHeldTheQso) {
  const std::vector<Step> log = {
      {"F5AB", "20", "", "14"},  {"F6XY", "20", "", "14"}, {"W1AW", "20", "", "05"},
      {"JA1AB", "15", "", "25"}, {"G3AB", "15", "", "14"},
  };
  struct Case {
    std::size_t deleted;
    bool rescore;
  };
  for (const char* contest : {"CQ WW DX Contest (CW)", "CQ WW WPX Contest (CW)"}) {
    for (Case c : {Case{1, false}, Case{3, false}, Case{0, true}}) {
      SCOPED_TRACE(std::string(contest) + ", QSO " + std::to_string(c.deleted));
      std::vector<Step> without = log;
      without.erase(without.begin() + static_cast<std::ptrdiff_t>(c.deleted));
      Run(contest, "DL1ABC", without);
      Standing expected = Now();
      Run(contest, "DL1ABC", log);
      session.DeleteQso(c.deleted);
      if (c.rescore) {
        ASSERT_TRUE(session.RescoreLog());
      }
      EXPECT_EQ(Now(), expected);
    }
  }
}

// A log stored before today's oblast codes reads as it was stored: its marks still name their
// entries, and only a rescoring counts a code the older list lacked.
TEST_F(MultipliersTest, OldRussianLogsReplayUntilRescored) {
  Setup("Russian DX contest", "DL1ABC");
  struct Stored {
    const char *call, *rcvd, *mark;
  } stored[] = {{"UA3AB", "JA", "UA JA"}, {"UA3MA", "YR", "- -"}, {"UA0AA", "CT", "UA9 CT"}};
  for (const Stored& s : stored) {
    TQSOData q = Qso(s.call, "20", "CW", s.rcvd);
    q.MultsText = s.mark;
    RawLog().AppendQSO(q);
  }
  session.RebuildTotals();
  EXPECT_EQ(session.totals().TotalMults, 4);
  std::vector<std::string> oblasts;
  for (const TMultEntry& e : session.contest().MultList(1)) {
    if (e.Worked[0] != 0)
      oblasts.push_back(e.Name);
  }
  EXPECT_EQ(oblasts, (std::vector<std::string>{"JA", "CT"}));

  ASSERT_TRUE(session.RescoreLog());
  EXPECT_EQ(session.totals().TotalMults, 5);
  EXPECT_EQ(Cp1251ToUtf8(session.log().QSOLog()[1].MultsText), "- YR");
}

// The entries a QSO being typed would count in, with the bands of each mode slot.
TEST_F(MultipliersTest, QueryShowsTheWorkedBandsOfEachSlot) {
  using Masks = std::array<uint8_t, 4>;
  struct Expected {
    const char* name;  // UTF-8; empty: not in the list
    Masks worked;
  };
  struct Case {
    const char* contest;
    std::vector<Step> logged;
    Step query;
    std::vector<Expected> entries;
  } cases[] = {
      // The SSB slot of ARRL 10 stays apart.
      {"ARRL 10 meter Contest",
       {{"W1AW", "10", "CW", "MA"}},
       {"W1XY", "10", "SSB", "MA"},
       {{"K·MA", {1, 0, 0, 0}}}},
      {"DARC 10m-Contest", {}, {"F5AB", "10", "CW", ""}, {}},
      {"Чемпионат/Кубок России телеграфом", {}, {"UA9AB", "20", "CW", "NS"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.contest) + ", " + c.query.call);
    Run(c.contest, "DL1ABC", c.logged);
    std::vector<MultMatch> found = QueryMultipliers(
        session.Scoring(), Qso(c.query.call, c.query.band, c.query.mode, c.query.rcvd),
        Worked(c.query.call));
    ASSERT_EQ(found.size(), c.entries.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
      EXPECT_EQ(Cp1251ToUtf8(found[k].entry.Name), c.entries[k].name) << "list " << k + 1;
      EXPECT_EQ(found[k].entry.Worked, c.entries[k].worked) << "list " << k + 1;
    }
  }
}

// The key a QSO being typed counts under in one list, and whether it cannot count: a key no
// entry has counts only where the list grows, and it is the exchange's fault only when the key
// comes from the exchange.
TEST_F(MultipliersTest, QueryTellsWhetherTheKeyCanCount) {
  struct Case {
    const char* contest;
    const char* own;
    const char* call;
    const char* rcvd;
    std::size_t list;  // from 0
    const char* key;   // UTF-8
    bool uncountable;
    bool by_exchange;
  } cases[] = {
      {"CQ WW DX Contest (CW)", "DL1ABC", "F5AB", "5", 1, "05", false, false},
      {"CQ WW DX Contest (CW)", "DL1ABC", "F5AB", "055", 1, "055", true, true},
      // Nothing typed yet, and no country to take the zone from: not the exchange's fault.
      {"CQ WW DX Contest (CW)", "DL1ABC", "ABC", "", 1, "00", true, false},
      {"Russian DX contest", "DL1ABC", "UA3AB", "SPSP", 1, "SPSP", true, true},
      {"Russian DX contest", "DL1ABC", "F5AB", "001", 1, "", false, false},
      {"CQ WW WPX Contest (CW)", "DL1ABC", "XZ9ZZ", "001", 0, "XZ9", false, false},
      {"Hungarian DX Contest", "DL1ABC", "HA3XY", "XYZ", 0, "HA·XYZ", true, true},
      // A station abroad counts no EC country: that is its callsign's doing, not the exchange's.
      {"UBA DX Contest (CW)", "DL1ABC", "W1AW", "001", 0, "K", true, false},
      // A Belgian serial without its province: the key is the bare prefix, yet from the exchange.
      {"UBA DX Contest (CW)", "DL1ABC", "ON4AB", "001", 0, "ON·", true, true},
      {"UBA DX Contest (CW)", "DL1ABC", "ON4AB", "001", 1, "ON4", false, false},
      // The exchange as the save will store it: a prefecture padded to two digits, a DX
      // station's number to three, which no prefecture is.
      {"Japan International DX Contest (HF CW)", "DL1ABC", "JA1AB", "7", 0, "07", false, false},
      {"Japan International DX Contest (HF CW)", "DL1ABC", "F5AB", "14", 0, "014", true, true},
      // A DX station's zone, padded to three, still names a two-digit entry.
      {"Japan International DX Contest (HF CW)", "JA1ABC", "DL1AB", "055", 1, "55", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.contest) + ", " + c.call + " '" + c.rcvd + "', list " +
                 std::to_string(c.list + 1));
    Setup(c.contest, c.own);
    std::vector<MultMatch> found = QueryMultipliers(
        session.Scoring(), Qso(c.call, "20", session.Contest().Modes.front(), c.rcvd),
        Worked(c.call));
    ASSERT_LT(c.list, found.size());
    const MultMatch& match = found[c.list];
    EXPECT_EQ(Cp1251ToUtf8(match.key), c.key);
    EXPECT_EQ(match.uncountable, c.uncountable);
    EXPECT_EQ(match.by_exchange, c.by_exchange);
  }
}

// Countries count by the prefix stored with the QSO, not by what its callsign gives now.
TEST_F(MultipliersTest, CountryByTheStoredPrefix) {
  struct Case {
    const char* contest;
    const char* own;
    const char* band;
    const char* mark;
  } cases[] = {
      {"CQ WW DX Contest (SSB)", "DL1ABC", "20", "G 14"},
      {"Japan International DX Contest (HF CW)", "JA1ABC", "20", "G 14"},
      {"CQ WW 160m DX contest (CW)", "DL1ABC", "160", "G"},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own);
    TQSOData q = Qso("F5AB", c.band, session.Contest().Modes.front(), "14");
    q.CountryPrefix = "G";
    MarkMultipliers(session.Scoring(), q, Worked(q.Call));
    EXPECT_EQ(q.MultsText, c.mark) << c.contest;
  }
}

}  // namespace
}  // namespace mirva
