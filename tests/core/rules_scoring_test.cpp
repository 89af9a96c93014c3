#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

struct Row {
  const char* own;
  const char* worked;
  const char* band;
  const char* mode;
  int32_t points;
  const char* stored = "";  // the country prefix saved with the QSO, when not the callsign's
};

// Every row is scored under every contest of its entry, set up for the row's station.
struct Scoring {
  std::vector<std::string_view> contests;
  std::vector<Row> rows;
};

const Scoring kScoring[] = {
    // No WAE: European Turkey is Turkey.
    {{"Anatolian WW RTTY Contest"},
     {{"TA2AB", "TA1XY", "20", "RTTY", 5},
      {"TA2AB", "JA1XY", "20", "RTTY", 10},
      {"TA2AB", "DL1XY", "20", "RTTY", 15}}},
    // Italy is Italy whatever its prefix begins with: I, IS or IG9.
    {{"ARI International DX Contest"},
     {{"IS0AB", "I1XY", "20", "SSB", 0},
      {"I1AB", "DL1XY", "20", "SSB", 1},
      {"I1AB", "K1XY", "20", "SSB", 3},
      {"DL1AB", "DL2XY", "20", "SSB", 0},
      {"K1AB", "IG9XY", "20", "SSB", 10}}},
    // Any call holding "/T" or "/N" scores 8; modes are matched exactly.
    {{"ARRL 10 meter Contest"},
     {{"DL1ABC", "W1AW/N", "10", "CW", 8},
      {"DL1ABC", "K1ABC/TX", "10", "RTTY", 8},
      {"DL1ABC", "DL2XYZ", "10", "CW", 4},
      {"DL1ABC", "F1ABC/P", "10", "SSB", 2},
      {"DL1ABC", "DL2XYZ", "10", "cw", 0}}},
    {{"ARRL International DX Contest (CW)", "ARRL International DX Contest (SSB)"},
     {{"K1ABC", "VE3ABC", "20", "CW", 3}}},
    {{"ARRL RTTY Round-Up Contest", "DARC 10m-Contest"}, {{"DL1ABC", "DL2XYZ", "10", "CW", 1}}},
    // The country is the one stored with the QSO, not the one its callsign gives now; North
    // America has no rule of its own.
    {{"CQ WW 160m DX contest (CW)", "CQ WW 160m DX contest (SSB)"},
     {{"DL1ABC", "K1ABC", "160", "CW", 2, "DL"},
      {"DL1ABC", "DL2XYZ", "160", "CW", 5, "F"},
      {"DL1ABC", "DL2XYZ", "160", "CW", 10, "K"},
      {"K1ABC", "VE3ABC", "160", "SSB", 5}}},
    // The callsign decides the country, whatever prefix was stored with the QSO; North
    // America scores 2 within its continent, and the low bands double all but the own country.
    {{"CQ WW WPX Contest (CW)", "CQ WW WPX Contest (SSB)"},
     {{"DL1ABC", "DL2XYZ", "160", "CW", 1, "K"},
      {"DL1ABC", "F1ABC", "40", "CW", 2},
      {"DL1ABC", "K1ABC", "80", "CW", 6, "DL"},
      {"K1ABC", "VE3ABC", "20", "SSB", 2},
      {"K1ABC", "VE3ABC", "160", "SSB", 4}}},
    // The stored prefix gives the country, and the own country comes before a maritime mobile,
    // who counts as the own continent; only 80 and 40 m score double.
    {{"CQ WW RTTY WPX Contest"},
     {{"DL1ABC", "K1ABC", "10", "RTTY", 1, "DL"},
      {"DL1ABC", "DL2XYZ/MM", "40", "RTTY", 2},
      {"DL1ABC", "K1ABC/MM", "80", "RTTY", 4},
      {"DL1ABC", "F1ABC", "40", "RTTY", 4},
      {"DL1ABC", "DL2XYZ", "20", "RTTY", 3, "K"},
      {"DL1ABC", "K1ABC", "160", "RTTY", 3}}},
    // North America scores 2 within itself; a call of no country is on another continent.
    {{"CQ WW DX Contest (CW)", "CQ WW DX Contest (SSB)"},
     {{"K1ABC", "VE3ABC", "20", "CW", 2},
      {"K1ABC", "W2ABC", "20", "CW", 0},
      {"DL1ABC", "QQ1QQ", "20", "CW", 3}}},
    // Franz Josef Land is a country of its own in the P-150-C list.
    {{"CQ-M International DX Contest"},
     {{"UA3AB", "UA1XY", "SAT", "SSTV", 1},
      {"UA3AB", "R1FJA", "20", "CW", 2},
      {"UA3AB", "JA1XY", "20", "SSB", 3}}},
    // Only 80 and 40 m score double.
    {{"EA WW RTTY Contest"},
     {{"DL1ABC", "EA3XYZ", "80", "RTTY", 3},
      {"DL1ABC", "OE1XYZ", "160", "RTTY", 1},
      {"DL1ABC", "K1XYZ", "40", "RTTY", 6},
      {"DL1ABC", "K1XYZ", "10", "RTTY", 3}}},
    // South America scores most from the other continents; the stored prefix gives the country.
    {{"GACW CW DX Contest"},
     {{"LU1ABC", "VP8XYZ", "20", "CW", 1},
      {"DL1ABC", "K1XYZ", "20", "CW", 3},
      {"DL1ABC", "OE1XYZ", "20", "CW", 0, "DL"},
      {"DL1ABC", "OE1XYZ", "20", "CW", 5, "PY"}}},
    // Within a continent only QSOs with Hungary count.
    {{"Hungarian DX Contest"},
     {{"HA1AB", "DL1AB", "20", "CW", 0},
      {"DL1AB", "HA5XY", "20", "CW", 6},
      {"K1AB", "HA5XY", "20", "CW", 3}}},
    // Liechtenstein is not Switzerland.
    {{"Helvetia contest"},
     {{"HB9AB", "DL1XY", "20", "CW", 1},
      {"HB9AB", "EA8XY", "20", "CW", 3},
      {"DL1AB", "HB0XY", "20", "CW", 0},
      {"HB0AB", "HB9XY", "20", "CW", 3}}},
    {{"HOLYLAND DX Contest"},
     {{"4X1ABC", "4Z5XYZ", "20", "CW", 0},
      {"4X1ABC", "DL1XYZ", "160", "CW", 2},
      {"4X1ABC", "DL1XYZ", "20", "CW", 1},
      {"DL1ABC", "4X5XYZ", "80", "CW", 2}}},
    {{"Japan International DX Contest (LF CW)", "Japan International DX Contest (HF CW)",
      "Japan International DX Contest (PHONE)"},
     {{"DL1ABC", "JA1ABC", "160", "CW", 4},
      {"DL1ABC", "JA1ABC", "80", "CW", 2},
      {"DL1ABC", "JA1ABC", "40", "CW", 1},
      {"DL1ABC", "JA1ABC", "20", "SSB", 1},
      {"DL1ABC", "JA1ABC", "15", "SSB", 1},
      {"DL1ABC", "JA1ABC", "10", "SSB", 2},
      {"DL1ABC", "JA1ABC", "6", "SSB", 0}}},
    // Spanish stations score every QSO; the others only QSOs with Spain, EA8 included.
    {{"King of Spain Contest (CW)", "King of Spain Contest (SSB)"},
     {{"EA8AB", "K1AB", "20", "CW", 1},
      {"DL1AB", "EA8XY", "20", "CW", 1},
      {"DL1AB", "F5XY", "20", "CW", 0}}},
    // The continent counts, not France.
    {{"REF contest (CW) Non France station", "REF contest (SSB) Non France station"},
     {{"DL1ABC", "FG5ABC", "20", "CW", 3}, {"K1ABC", "FG5ABC", "20", "SSB", 1}}},
    // Every prefix beginning with UA is Russian.
    {{"Russian DX contest"},
     {{"UA3ABC", "UA2XYZ", "20", "CW", 2},
      {"UA3ABC", "DL1XYZ", "20", "CW", 3},
      {"UA3ABC", "JA1XYZ", "20", "CW", 5},
      {"UA9ABC", "UA3XYZ", "20", "CW", 5},
      {"DL1ABC", "OE1XYZ", "20", "CW", 3},
      {"DL1ABC", "K1XYZ", "20", "CW", 5}}},
    {{"SP DX Contest"},
     {{"SP5ABC", "SQ9XYZ", "20", "CW", 0},
      {"SP5ABC", "DL1XYZ", "20", "CW", 1},
      {"SP5ABC", "JA1XYZ", "20", "CW", 3},
      {"DL1ABC", "DL2XYZ", "20", "CW", 3}}},
    {{"SP DX RTTY Contest"},
     {{"SP5AB", "SQ9XY", "20", "RTTY", 2},
      {"SP5AB", "DL1XY", "20", "RTTY", 5},
      {"SP5AB", "K1XY", "20", "RTTY", 10}}},
    // The whole prefix must be in the EC list: EA6 is, EA8 is not.
    {{"UBA DX Contest (CW)", "UBA DX Contest (SSB)"},
     {{"ON4ABC", "OT4XYZ", "20", "CW", 1},
      {"ON4ABC", "EA6XYZ", "20", "CW", 2},
      {"ON4ABC", "EA8XYZ", "20", "CW", 3},
      {"DL1ABC", "ON4XYZ", "20", "CW", 10},
      {"DL1ABC", "IS0XYZ", "20", "CW", 3},
      {"DL1ABC", "EA8XYZ", "20", "CW", 1}}},
    // Serbia, Germany and Hungary share ITU zone 28; England is in 27.
    {{"YU DX Contest"},
     {{"YU1AB", "DL1XY", "20", "CW", 1},
      {"YU1AB", "G3XY", "20", "CW", 3},
      {"YU1AB", "K1XY", "20", "CW", 5}}},
};

using RulesScoringTest = SessionTest;

TEST_F(RulesScoringTest, PointsPerContest) {
  for (const Scoring& scoring : kScoring) {
    for (std::string_view contest : scoring.contests) {
      for (const Row& r : scoring.rows) {
        Setup(contest, r.own);
        TQSOData q = Qso(r.worked, r.band, r.mode);
        if (*r.stored)
          q.CountryPrefix = r.stored;
        EXPECT_EQ(session.ComputeQsoPoints(q), PointsTriple{r.points})
            << contest << ": " << r.own << " works " << r.worked << " (" << q.CountryPrefix
            << ") on " << r.band << " " << r.mode;
      }
    }
  }
}

// Whether OK1XYZ, logged on 20 m CW at 12:00 and on 40 m SSB, is a repeat on 20 m in SSB at
// 12:30, in CW at 13:00 and in RTTY at 12:00. The rules themselves are tested with the log's
// index; this tells which rule each contest uses.
TEST_F(RulesScoringTest, RepeatsPerContest) {
  // Every other contest repeats a station on the band alone.
  const std::map<std::string, std::array<bool, 3>> exceptions = {
      {"Чемпионат/Кубок России телеграфом", {true, false, true}},
      {"Чемпионат/Кубок России телефоном", {true, false, true}},
      {"ARRL 10 meter Contest", {true, true, false}},
      {"DARC 10m-Contest", {false, false, false}},
      {"Russian DX contest", {false, true, false}},
      {"SP DX Contest", {false, true, false}},
      {"HOLYLAND DX Contest", {false, true, false}},
      {"YU DX Contest", {false, true, false}},
      {"ARI International DX Contest", {false, true, false}},
      {"CQ-M International DX Contest", {false, true, false}},
  };
  for (const ContestRules* rules : AllContestRules()) {
    std::string name = Cp1251ToUtf8(rules->name);
    SCOPED_TRACE(name);
    auto it = exceptions.find(name);
    auto repeats = it == exceptions.end() ? std::array{true, true, true} : it->second;
    Setup(name, "DL1ABC");
    session.ClearLog();
    RawLog().AppendQSO(Qso("OK1XYZ", "20", "CW", "", "12:00"));
    RawLog().AppendQSO(Qso("OK1XYZ", "40", "SSB", "", "12:00"));
    EXPECT_EQ(session.IsDupe("OK1XYZ", "20", "SSB", "12:30"), repeats[0]);
    EXPECT_EQ(session.IsDupe("OK1XYZ", "20", "CW", "13:00"), repeats[1]);
    EXPECT_EQ(session.IsDupe("OK1XYZ", "20", "RTTY", "12:00"), repeats[2]);
  }
}

}  // namespace
}  // namespace mirva
