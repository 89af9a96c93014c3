#include "reference/master_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "reference/call_search.h"
#include "session/check_partial.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using namespace std::string_literals;

std::vector<std::string> Calls(const MasterCallList& list) {
  std::vector<std::string> calls;
  for (std::size_t id = 0; id < list.size(); ++id)
    calls.emplace_back(list.Call(id));
  return calls;
}

std::vector<std::string> Calls(const MasterCallList& list, const CallMatches& matches) {
  std::vector<std::string> calls;
  for (uint32_t id : matches.ids)
    calls.emplace_back(list.Call(id));
  return calls;
}

TEST(ParseMasterCalls, KeepsCallsAndCountsTheLinesItSkips) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> calls;
    std::size_t skipped;
    std::size_t first_skipped;
  } cases[] = {
      {"comments, CR LF, blanks",
       "# Release\r\nK1ABC\r\n\r\n  dl1abc \r\nUA9/K1ABC/P",
       {"K1ABC", "DL1ABC", "UA9/K1ABC/P"},
       0,
       0},
      {"lone CR and no final break", "K1ABC\rOH2BH", {"K1ABC", "OH2BH"}, 0, 0},
      {"a repeat is left out", "K1ABC\nk1abc\nK1ABC", {"K1ABC"}, 0, 0},
      {"no digit, no letter, too short", "ABCDEF\n12345\nK1\nK1A", {"K1A"}, 3, 1},
      {"slashes at the ends or doubled", "/K1A\nK1A/\nK1//A\nK1A/2", {"K1A/2"}, 3, 1},
      {"inner blank, Cyrillic, NUL", "K1A B\nUA\xC0\x31\nK1\0ABC\nW1AW"s, {"W1AW"}, 3, 1},
      {"one past the longest call", "AAAAAAAAAAAAAA1\nAAAAAAAAAAAAAAA1", {"AAAAAAAAAAAAAA1"}, 1, 2},
      {"empty", "", {}, 0, 0},
  };
  for (const Case& c : cases) {
    MasterCallList list = ParseMasterCalls(c.text);
    EXPECT_EQ(Calls(list), c.calls) << c.name;
    EXPECT_EQ(list.skipped_lines, c.skipped) << c.name;
    EXPECT_EQ(list.first_skipped_line, c.first_skipped) << c.name;
  }
}

TEST(ParseMasterCalls, SurvivesRandomBytes) {
  std::mt19937 random(11);
  std::string text(64 * 1024, '\0');
  for (char& c : text)
    c = static_cast<char>(random() % 256);
  text += "\nK1ABC\n";
  MasterCallList list = ParseMasterCalls(text);
  EXPECT_GT(list.skipped_lines, 0u);
  EXPECT_EQ(FindPartialCalls(list, "K1ABC", 10).total, 1u);
}

const MasterCallList& SmallList() {
  static const MasterCallList list = ParseMasterCalls(
      "DL1ABC\nDL1AB\nBC1DL\nK1ABC\nK1ABCD\nDL2ABC\nDL1ABCD\nDL1ABC/P\nDK1ABC\nOH2BH\nABC1A\n");
  return list;
}

TEST(FindPartialCalls, FindsTheTextAnywhereInACallOnce) {
  struct Case {
    const char* text;
    std::size_t limit;
    std::vector<std::string> calls;
    std::size_t total;
  } cases[] = {
      {"DL1AB", 100, {"DL1ABC", "DL1AB", "DL1ABCD", "DL1ABC/P"}, 4},
      {"1A",
       100,
       {"DL1ABC", "DL1AB", "K1ABC", "K1ABCD", "DL1ABCD", "DL1ABC/P", "DK1ABC", "ABC1A"},
       8},
      // "...ABC" then "BC1..." on the next line must not read as "ABCBC1".
      {"CBC", 100, {}, 0},
      {"BH", 100, {"OH2BH"}, 1},
      {"/P", 100, {"DL1ABC/P"}, 1},
      {"ABC", 3, {"DL1ABC", "K1ABC", "K1ABCD"}, 8},
      {"D", 100, {}, 0},
      {"dl1", 100, {}, 0},
      {"DL1ABC/PX", 100, {}, 0},
  };
  for (const Case& c : cases) {
    CallMatches found = FindPartialCalls(SmallList(), c.text, c.limit);
    EXPECT_EQ(Calls(SmallList(), found), c.calls) << c.text;
    EXPECT_EQ(found.total, c.total) << c.text;
  }
}

TEST(FindNearCalls, FindsCallsOneChangeAddOrRemoveAway) {
  struct Case {
    const char* text;
    std::size_t limit;
    std::vector<std::string> calls;
    std::size_t total;
  } cases[] = {
      // The text itself is no near call; DL1ABCD is two additions away.
      {"DL1ABC", 100, {"DL1AB", "DL2ABC", "DL1ABCD", "DK1ABC"}, 4},
      {"L1ABC", 100, {"DL1ABC", "K1ABC"}, 2},
      {"DL1ABD", 100, {"DL1ABC", "DL1AB", "DL1ABCD"}, 3},
      // Two characters swapped are two edits.
      {"OH2HB", 100, {}, 0},
      {"OH2BH", 100, {}, 0},
      {"XH2BHX", 100, {}, 0},
      {"DL1ABC", 2, {"DL1AB", "DL2ABC"}, 4},
      {"K1", 100, {}, 0},
  };
  for (const Case& c : cases) {
    CallMatches found = FindNearCalls(SmallList(), c.text, c.limit);
    EXPECT_EQ(Calls(SmallList(), found), c.calls) << c.text;
    EXPECT_EQ(found.total, c.total) << c.text;
  }
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0]++;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The length buckets must find exactly what a full edit distance over every call finds.
TEST(FindNearCalls, MatchesTheEditDistanceOfEveryCall) {
  std::mt19937 random(5);
  const std::string alphabet = "AK1/";
  std::string text;
  for (int n = 0; n < 3000; ++n) {
    std::string call = "K1";
    for (std::size_t k = random() % 5; k > 0; --k)
      call.insert(call.begin() + random() % (call.size() + 1), alphabet[random() % 3]);
    text += call + "\n";
  }
  MasterCallList list = ParseMasterCalls(text);
  for (const char* typed : {"K1", "KK1", "K1AA", "AK1A1", "1KA", "K1A1KA"}) {
    std::vector<std::string> expected;
    for (const std::string& call : Calls(list)) {
      if (EditDistance(call, typed) == 1)
        expected.push_back(call);
    }
    EXPECT_EQ(Calls(list, FindNearCalls(list, typed, 10000)), expected) << typed;
  }
}

class CheckPartialTest : public SessionTest {};

TEST_F(CheckPartialTest, MarksWorkedCallsAndDupesOnTheBandAndMode) {
  Setup("CQ WW DX Contest (CW)", "UA3ABC");
  session.SaveQso(Qso("DL1ABC", "20", "CW", "14"));
  session.SaveQso(Qso("K1ABC", "40", "CW", "5"));
  struct Case {
    const char* band;
    std::vector<CheckedCall> partial;
    std::vector<CheckedCall> near;
  } cases[] = {
      {"20", {{"DL1ABC", true, true}}, {{"DL1ABC", true, true}, {"K1ABC", true, false}}},
      {"40", {{"DL1ABC", true, false}}, {{"DL1ABC", true, false}, {"K1ABC", true, true}}},
      {"15", {{"DL1ABC", true, false}}, {{"DL1ABC", true, false}, {"K1ABC", true, false}}},
  };
  MasterCallList list = ParseMasterCalls("DL1ABC\nDL2ABC\nK1ABC\nOH2BH\n");
  for (const Case& c : cases) {
    CheckPartialView view = CheckPartial(session, list, "L1ABC", c.band, "CW", "12:00");
    EXPECT_EQ(view.Partial, c.partial) << c.band;
    EXPECT_EQ(view.Near, c.near) << c.band;
  }
  EXPECT_EQ(CheckPartial(session, list, "OH2BH", "20", "CW", "12:00").Partial,
            std::vector<CheckedCall>{{"OH2BH"}});
}

TEST_F(CheckPartialTest, TellsWhatTheFileGaveOrWhyNothing) {
  struct Case {
    const char* name;
    std::string text;
    bool loaded;
    const char* status;
  } cases[] = {
      {"no call", "# only a comment\n\n", false, "MASTER.SCP holds no callsign"},
      {"binary",
       "\x7f"
       "ELF\x02\x01\x01\0\0\0"s,
       false, "1 line skipped, the first is line 1"},
      {"junk line", "K1ABC\n\xFF\xFE junk\nOH2BH\n", true, "2 calls in "},
  };
  for (const Case& c : cases) {
    dir.Write(kMasterCallsFileName, c.text);
    MasterCallsFile file = LoadMasterCalls(session);
    EXPECT_EQ(file.list.has_value(), c.loaded) << c.name;
    EXPECT_NE(file.status.find(c.status), std::string::npos) << c.name << ": " << file.status;
  }
}

}  // namespace
}  // namespace mirva
