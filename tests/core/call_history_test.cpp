#include "history/call_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contest/rules/rules.h"
#include "history/history_columns.h"
#include "history/history_files.h"
#include "memory_file_system.h"
#include "text/utf8_path.h"

namespace mirva {
namespace {

struct Lookup {
  const char* call;
  const char* column;
  const char* value;
};

struct ReadCase {
  const char* what;
  std::string text;
  std::size_t lines, calls, skipped;
  std::vector<std::size_t> skipped_lines;
  std::vector<Lookup> lookups;
};

TEST(CallHistoryTest, ReadsEachFileForm) {
  const ReadCase cases[] = {
      {"commas, CR LF, a BOM and trailing blanks",
       "\xEF\xBB\xBF# club list\r\n!!Order!!,Call,Name,CqZone,Exch1  \r\nk1abc,John ,5,MA  \r\n"
       "\r\nW1AW,Hiram,5,CT\r\n",
       2,
       2,
       0,
       {},
       {{"K1ABC", "Name", "John"},
        {"K1ABC", "cqzone", "5"},
        {"W1AW", "EXCH1", "CT"},
        {"k1abc", "Name", ""},
        {"K1ABC", "Loc1", ""}}},
      {"semicolons with quoted fields",
       "!!Order!!;Call;Name;UserText\nDL1ABC;\"Smith; Jo\";\"say \"\"hi\"\"\"\nOK1XY;\"\";x\n",
       2,
       2,
       0,
       {},
       {{"DL1ABC", "Name", "Smith; Jo"},
        {"DL1ABC", "UserText", "say \"hi\""},
        {"OK1XY", "Name", ""},
        {"OK1XY", "UserText", "x"}}},
      {"lines without a callsign are counted and skipped",
       "!!Order!!,Call,Name\nK1ABC,a\n123,b\n,c\nA/B/,d\n# note\nW1AW,e\nQQQ,f\n#x\nK2,g\n"
       "N0X,h\nG!1,i\n",
       9,
       3,
       6,
       {3, 4, 5, 8, 10},
       {{"K1ABC", "Name", "a"}, {"N0X", "Name", "h"}, {"123", "Name", ""}}},
      {"UTF-8 becomes Windows-1251, other bytes stay",
       "!!Order!!,Call,Name\nUA3ABC,\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\n",
       1,
       1,
       0,
       {},
       {{"UA3ABC", "Name", "\xC8\xE2\xE0\xED"}}},
      {"Windows-1251 text is taken as it is",
       "!!Order!!,Call,Name\nUA3ABC,\xC8\xE2\xE0\xED\n",
       1,
       1,
       0,
       {},
       {{"UA3ABC", "Name", "\xC8\xE2\xE0\xED"}}},
      {"unknown columns are kept by name; a short line leaves the rest empty",
       "!!Order!!,Call,MyClub,Name\nK1ABC,CWops\nK1ABC,,Al\n",
       2,
       1,
       0,
       {},
       {{"K1ABC", "myclub", "CWops"}, {"K1ABC", "Name", "Al"}}},
  };
  for (const ReadCase& c : cases) {
    CallHistory history;
    HistoryFileReport report = history.Add("f.txt", c.text);
    EXPECT_EQ(report.problem, "") << c.what;
    EXPECT_EQ(report.lines, c.lines) << c.what;
    EXPECT_EQ(report.calls, c.calls) << c.what;
    EXPECT_EQ(report.skipped, c.skipped) << c.what;
    EXPECT_EQ(report.skipped_lines, c.skipped_lines) << c.what;
    for (const Lookup& l : c.lookups)
      EXPECT_EQ(history.Value(l.call, l.column), l.value) << c.what << ": " << l.call;
  }
}

TEST(CallHistoryTest, RefusesAFileWithoutItsHeader) {
  const char* texts[] = {"", "K1ABC,John\n", "# only\n\nCall,Name\n!!Order!!,Call\n",
                         "!!Order!!,Name,Exch1\nK1ABC,John,MA\n"};
  for (const char* text : texts) {
    CallHistory history;
    HistoryFileReport report = history.Add("club.txt", text);
    EXPECT_TRUE(report.problem.starts_with("club.txt is no call history file")) << text;
    EXPECT_EQ(HistoryReportText(report), report.problem);
    EXPECT_EQ(history.size(), 0u) << text;
  }
}

TEST(CallHistoryTest, ALaterFilesValueWinsAndAnEmptyOneDoesNot) {
#ifdef _WIN32
  const std::string absolute = "C:\\d\\b.txt";
#else
  const std::string absolute = "/d/b.txt";
#endif
  MemoryFileSystem fs;
  fs.WriteFile(JoinPath("/d", "a.txt"),
               "!!Order!!,Call,Name,State\nK1ABC,John,MA\nW1AW,Hiram,CT\n");
  fs.WriteFile(absolute, "!!Order!!;Call;STATE;Name\nK1ABC;NH;\nK9X;IL;Bo\nbad;x;y\n");
  std::vector<std::string> paths = {"a.txt", absolute, "missing.txt"};
  LoadedHistory loaded = LoadCallHistory(fs, "/d", paths);
  const CallHistory& h = *loaded.history;
  EXPECT_EQ(h.Value("K1ABC", "State"), "NH");
  EXPECT_EQ(h.Value("K1ABC", "Name"), "John");
  EXPECT_EQ(h.Value("W1AW", "State"), "CT");
  EXPECT_EQ(h.Value("K9X", "Name"), "Bo");
  EXPECT_EQ(h.size(), 3u);
  ASSERT_EQ(loaded.reports.size(), 3u);
  EXPECT_EQ(HistoryReportText(loaded.reports[0]), "a.txt: 2 calls from 2 lines");
  EXPECT_EQ(HistoryReportText(loaded.reports[1]),
            absolute + ": 2 calls from 3 lines; 1 skipped, no callsign (line 4)");
  EXPECT_EQ(HistoryReportText(loaded.reports[2]),
            "The call history file missing.txt cannot be read.");
}

TEST(CallHistoryTest, SettingsPathsAreOneALine) {
  std::vector<std::string> paths = HistoryPaths("a.txt\n\n /x/b c.txt \n");
  EXPECT_EQ(paths, (std::vector<std::string>{"a.txt", "/x/b c.txt"}));
  EXPECT_EQ(HistoryPathsText(paths), "a.txt\n/x/b c.txt");
}

TEST(HistoryColumnsTest, EveryContestIsDecided) {
  for (const ContestRules* rules : AllContestRules()) {
    bool known = false;
    HistoryColumns(rules->name, &known);
    EXPECT_TRUE(known) << rules->name;
  }
  struct Case {
    const char* contest;
    std::vector<std::string_view> columns;
  };
  const Case cases[] = {
      {"CQ WW DX Contest (CW)", {"CqZone"}},
      {"YU DX Contest", {"ITUZone"}},
      {"ARRL International DX Contest (SSB)", {"State", "Power"}},
      {"ARRL 10 meter Contest", {"State", "Exch1"}},
      {"Russian DX contest", {"Exch1", "Loc1"}},
      {"CQ WW WPX Contest (CW)", {}},
      {"No such contest", {}},
  };
  for (const Case& c : cases) {
    std::span<const std::string_view> columns = HistoryColumns(c.contest);
    EXPECT_EQ(std::vector<std::string_view>(columns.begin(), columns.end()), c.columns)
        << c.contest;
  }
}

}  // namespace
}  // namespace mirva
