#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "recording_notifier.h"
#include "test_dir.h"
#include "text/cp1251.h"

namespace mirva {
namespace {

TStationCFG Station(const char* call, const char* cq = "", const char* state = "") {
  TStationCFG station;
  station.Call = call;
  station.CQ = cq;
  station.State = state;
  return station;
}

StartOptions TakingLast(const LastValues& last) {
  StartOptions options;
  options.access = LogAccess::kWrite;
  options.last = &last;
  options.store_taken = true;
  return options;
}

constexpr char kCqwwCw[] = "CQ WW DX Contest (CW)";
constexpr char kCqwwSsb[] = "CQ WW DX Contest (SSB)";

/// Working directories holding the contest tests' country file and the shipped catalogue.
class WorkspaceTest : public ::testing::Test {
 protected:
  FaultyFileSystem fs;
  RecordingNotifier notifier;

  static void Furnish(const TestDir& dir) {
    namespace fsys = std::filesystem;
    fsys::copy_file(std::string(MIRVA_TEST_DATA) + "/contest/CTY.DAT", dir / "CTY.DAT");
    fsys::copy_file(std::string(MIRVA_SHIPPED_DATA) + "/Contests.mrv", dir / "Contests.mrv");
  }

  StartResult Open(const TestDir& dir, const StartOptions& options = {}) {
    workspace_ = std::make_unique<Workspace>(fs, notifier, dir.path());
    return workspace_->Start(options);
  }
  Workspace& workspace() { return *workspace_; }

 private:
  std::unique_ptr<Workspace> workspace_;
};

TEST_F(WorkspaceTest, StartSaysWhatIsNeeded) {
  struct Case {
    const char* name;
    bool furnished;
    std::string settings;  ///< the settings file; none when empty
    StartOutcome outcome;
    std::string why;  ///< a part of the reason given
    std::string contest;
  } cases[] = {
      {"an empty directory", false, "", StartOutcome::kNeedsContest, "no contest is kept in", ""},
      {"a first opening takes the catalogue's first line", true, "", StartOutcome::kNeedsStation,
       "", kCqwwCw},
      {"a contest the catalogue lacks", true, "[Contest]\r\nName=No Such Contest\r\n",
       StartOutcome::kNeedsContest, "\"No Such Contest\", is not in Contests.mrv", ""},
      {"a callsign of other letters is left out", true,
       "[Contest]\r\nName=CQ WW DX Contest (SSB)\r\n[Station configuration]\r\neCall=DL1 ABC\r\n",
       StartOutcome::kNeedsStation, "", kCqwwSsb},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDir dir;
    if (c.furnished)
      Furnish(dir);
    if (!c.settings.empty())
      dir.Write(kWorkspaceFileName, c.settings);
    StartResult result = Open(dir);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_NE(result.why.find(c.why), std::string::npos) << result.why;
    EXPECT_EQ(workspace().session().HasContest() ? workspace().session().Contest().Name : "",
              c.contest);
    EXPECT_EQ(result.took_last_values, false);
  }
}

TEST_F(WorkspaceTest, ALeftOutStationTextIsToldWithItsLine) {
  TestDir dir;
  Furnish(dir);
  dir.Write(kWorkspaceFileName, "[Station configuration]\r\neCall=DL1ABC\r\neITU=95\r\neCQ=14\r\n");
  Open(dir);
  EXPECT_EQ(workspace().session().StationCfg().ITU, "");
  EXPECT_EQ(workspace().session().StationCfg().CQ, "14");
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_NE(notifier.messages[0].find("line 3: the ITU zone must be a whole number from 1 to 90"),
            std::string::npos)
      << notifier.messages[0];
}

// An existing user loses nothing: a directory without settings starts from the last values once,
// keeps them, and from then on its own settings win over the user's.
TEST_F(WorkspaceTest, AFirstOpeningTakesTheLastValuesOnceAndSaysSo) {
  TestDir dir;
  Furnish(dir);
  LastValues last;
  last.contest_index = 1;
  last.settings.station = Station("UA3ABC", "16");
  last.settings.cabrillo["eName"] = "Ivan";
  StartResult first = Open(dir, TakingLast(last));
  EXPECT_TRUE(first.took_last_values);
  EXPECT_EQ(first.outcome, StartOutcome::kReady);
  EXPECT_EQ(workspace().session().Contest().Name, kCqwwSsb);
  EXPECT_TRUE(first.notice.starts_with(
      "This log has no settings of its own yet: it starts with the contest (CQ WW DX Contest "
      "(SSB)), the station (UA3ABC) and the report headers used last, kept from now on in"));
  EXPECT_TRUE(dir.Has(kWorkspaceFileName));

  LastValues other;
  other.settings.contest = kCqwwCw;
  other.settings.station = Station("K1ABC");
  StartResult again = Open(dir, TakingLast(other));
  EXPECT_FALSE(again.took_last_values);
  EXPECT_EQ(workspace().session().Contest().Name, kCqwwSsb);
  EXPECT_EQ(workspace().session().StationCfg().Call, "UA3ABC");
  EXPECT_EQ(workspace().settings().cabrillo.at("eName"), "Ivan");
  EXPECT_EQ(again.notice, "");
}

TEST_F(WorkspaceTest, TwoDirectoriesKeepTheirOwnContestStationBandAndHeaders) {
  TestDir cqww;
  TestDir wpx;
  for (const TestDir* dir : {&cqww, &wpx}) {
    Furnish(*dir);
    Open(*dir);
    bool is_cqww = dir == &cqww;
    ASSERT_TRUE(workspace().ChooseContest(is_cqww ? kCqwwCw : "CQ WW WPX Contest (CW)"));
    workspace().ChangeStation(Station(is_cqww ? "DL1ABC" : "UA3ABC"));
    workspace().SetEntryBandMode(is_cqww ? "20" : "40", "CW");
    workspace().SetHeaderTexts(kWorkspaceCabrilloSection, {{"eName", is_cqww ? "Hans" : "Ivan"}});
  }
  for (const TestDir* dir : {&cqww, &wpx}) {
    bool is_cqww = dir == &cqww;
    EXPECT_EQ(Open(*dir).outcome, StartOutcome::kReady);
    EXPECT_EQ(workspace().session().Contest().Name, is_cqww ? kCqwwCw : "CQ WW WPX Contest (CW)");
    EXPECT_EQ(workspace().session().StationCfg().Call, is_cqww ? "DL1ABC" : "UA3ABC");
    EXPECT_EQ(workspace().settings().band, is_cqww ? "20" : "40");
    EXPECT_EQ(workspace().settings().cabrillo.at("eName"), is_cqww ? "Hans" : "Ivan");
  }
}

// The windows refuse what the command line refuses, and nothing is stored then.
TEST_F(WorkspaceTest, ARefusedStationChangesNothing) {
  TestDir dir;
  Furnish(dir);
  Open(dir);
  workspace().ChangeStation(Station("DL1ABC"));
  const std::string stored = dir.Read(kWorkspaceFileName);
  struct Case {
    TStationCFG station;
    std::string told;
  } cases[] = {
      {Station("DL1ABC", "41"), "The CQ zone must be a whole number from 1 to 40, not \"41\"."},
      {Station("DL1\tABC"),
       "The station callsign 'DL1\\x09ABC' holds the control character \\x09."},
      {Station("DL1ABC", "", "a\nb"),
       "The station text 'a\\x0Ab' holds the control character \\x0A."},
  };
  for (const Case& c : cases) {
    try {
      workspace().ChangeStation(c.station);
      ADD_FAILURE() << c.told;
    } catch (const std::invalid_argument& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(c.told)) << error.what();
    }
    EXPECT_EQ(dir.Read(kWorkspaceFileName), stored);
    EXPECT_EQ(workspace().session().StationCfg().Call, "DL1ABC");
  }
}

TEST(WorkspaceSettingsTest, TextReadsBackAsWritten) {
  WorkspaceSettings settings;
  settings.contest = Utf8ToCp1251("Чемпионат/Кубок России телеграфом");
  settings.station = Station("UA3ABC", "16", " 3 ");
  settings.station->Lat = "55.75";
  settings.band = "160";
  settings.mode = "CW";
  settings.cabrillo = {{"mAddress", "Street 1\nC:\\Moscow\\n\n"}, {"eName", "\"Ivan\""}};
  settings.summary = {{"eClass", ""}};
  settings.group = {"tls://10.0.0.5:4222,tls://10.0.0.6:4222",
                    "field-day",
                    "RUN1",
                    "C:\\Mirva\\group.secret",
                    "/etc/mirva/broker-ca.pem",
                    3,
                    true,
                    "DL1ABC"};
  settings.history_files = "C:\\logs\\club.txt\nlast year.csv";
  ParsedWorkspace parsed = ParseWorkspaceSettings(WorkspaceSettingsText(settings));
  EXPECT_EQ(parsed.settings, settings);
  EXPECT_TRUE(parsed.notices.empty());
}

TEST(WorkspaceSettingsTest, GroupReplicasOutsideOneToFiveReadAsOneWithANotice) {
  for (const char* bad : {"0", "6", "-1", "3x", "three"}) {
    ParsedWorkspace parsed =
        ParseWorkspaceSettings(std::string("[Group]\nName=g\nReplicas=") + bad + "\n");
    EXPECT_EQ(parsed.settings.group.replicas, 1) << bad;
    ASSERT_EQ(parsed.notices.size(), 1u) << bad;
    EXPECT_EQ(parsed.notices[0].line, 3u) << bad;
  }
  EXPECT_EQ(ParseWorkspaceSettings("[Group]\nReplicas=5\n").settings.group.replicas, 5);
}

}  // namespace
}  // namespace mirva
