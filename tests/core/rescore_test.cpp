#include "session/rescore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scoring/score_qso.h"
#include "scoring/totals.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class RescoreTest : public SessionTest {
 protected:
  /// Logs a QSO as stored by an older program: no points, no mark, no country prefix.
  void Add(std::string_view call, std::string_view band, std::string_view note = "") {
    TQSOData q = Qso(call, band, "CW", "16");
    q.CountryPrefix.clear();
    q.Note = note;
    RawLog().AppendQSO(q);
  }

  /// The log file's records without what a rescoring may change: points, multiplier mark and
  /// duplicate marker.
  std::vector<TQSOData> Unscored() const {
    std::string bytes = dir.Read(kLogFileName);
    std::vector<TQSOData> records;
    for (std::size_t at = 0; at + kQsoRecordSize <= bytes.size(); at += kQsoRecordSize) {
      TQSOData q = DecodeQSO(bytes.data() + at);
      q.Points = q.Points2 = q.Points3 = 0;
      q.MultsText.clear();
      q.Note = UnmarkDupeNote(q.Note);
      records.push_back(q);
    }
    return records;
  }

  std::string Marks() const {
    std::string marks;
    for (const TQSOData& q : session.log().QSOLog())
      marks += q.NumberRcvd + ":" + q.MultsText + "|";
    return marks;
  }

  std::string Notes() const {
    std::string notes;
    for (const TQSOData& q : session.log().QSOLog())
      notes += std::to_string(q.Points) + ":" + q.CountryPrefix + ":" + q.Note + "|";
    return notes;
  }
};

TEST_F(RescoreTest, DuplicatesGetOneMarkerAndNoPointsHoweverOftenRescored) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Add("UA3ABC", "20");
  Add("UA3ABC", "20", "hello");
  Add("UA3ABC", "15");
  Add("JA1XYZ", "20", "##Dupe## not a dupe");
  std::string before = dir.Read(kLogFileName);

  ASSERT_TRUE(session.RescoreLog());
  const std::string expected = "1:UA:|0:UA:##Dupe## hello|1:UA:|3:JA:not a dupe|";
  EXPECT_EQ(Notes(), expected);
  EXPECT_EQ(dir.Read(kRescoreCopyName), before);
  EXPECT_EQ(session.totals().TotalPoints, 5);

  std::string once = dir.Read(kLogFileName);
  ASSERT_TRUE(session.RescoreLog());
  EXPECT_EQ(Notes(), expected);
  EXPECT_EQ(dir.Read(kLogFileName), once);
  EXPECT_EQ(dir.Read(kRescoreCopyName), once);

  // The file now holds what memory holds.
  RawLog().LoadLog();
  EXPECT_EQ(Notes(), expected);
}

// The marker a save or an earlier rescoring put in front of the note goes when the QSO is no
// longer a duplicate, and a duplicate keeps exactly one; the operator's text stays as typed.
TEST_F(RescoreTest, TheDuplicateMarkerFollowsTheDuplicate) {
  const struct {
    const char* stored;
    const char* kept;  // the note of the first QSO of the call, not a duplicate
    const char* dupe;  // the same note on the repeat
  } cases[] = {
      {"", "", "##Dupe##"},
      {"##Dupe## ", "", "##Dupe##"},
      {"##Dupe##", "", "##Dupe##"},
      {"##Dupe## hello", "hello", "##Dupe## hello"},
      {"##Dupe## ##Dupe## hello", "hello", "##Dupe## hello"},
      {"##Dupe##  two blanks ", " two blanks ", "##Dupe## two blanks"},
      {"call ##Dupe## later", "call ##Dupe## later", "##Dupe## call  later"},
      {"##Dupe##s are mine", "##Dupe##s are mine", "##Dupe## s are mine"},
      {" ##Dupe## x", " ##Dupe## x", "##Dupe## x"},
  };
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  for (const auto& c : cases) {
    Add("UA3ABC", "20", c.stored);
    Add("UA3ABC", "20", c.stored);
    ASSERT_TRUE(session.RescoreLog());
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(Notes(), std::string("1:UA:") + c.kept + "|0:UA:" + c.dupe + "|");
    RawLog().ClearLog();
  }
}

// Rescored under another contest and back, the log is what it was: the received exchanges
// stay as stored, so the zones count again, a blank one by the country's CQ zone.
TEST_F(RescoreTest, AnotherContestAndBackLeavesTheLogAsItWas) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  session.RebuildTotals();
  session.SaveQso(Qso("K1ABC", "20", "CW", "5"));
  session.SaveQso(Qso("JA1ABC", "20", "CW", "25"));
  TQSOData again = Qso("JA1ABC", "20", "CW", "25");
  again.Note = "again";
  session.SaveQso(again);
  // An older program stored the zone blank.
  RawLog().AppendQSO(Qso("UA3ABC", "15", "CW"));
  ASSERT_TRUE(session.RescoreLog());
  EXPECT_EQ(Marks(), "05:K 05|25:JA 25|25:- -|:UA 16|");
  const std::string cq_ww = dir.Read(kLogFileName);
  const std::vector<TQSOData> unscored = Unscored();
  const ContestTotals totals = session.totals();
  EXPECT_EQ(totals.TotalPoints, 7);
  EXPECT_EQ(totals.TotalMults, 6);

  Setup("CQ WW WPX Contest (CW)", "DL1ABC");
  ASSERT_TRUE(session.RescoreLog());
  EXPECT_EQ(Unscored(), unscored);

  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  ASSERT_TRUE(session.RescoreLog());
  EXPECT_EQ(dir.Read(kLogFileName), cq_ww);
  EXPECT_EQ(session.totals().TotalPoints, totals.TotalPoints);
  EXPECT_EQ(session.totals().TotalMults, totals.TotalMults);
  EXPECT_EQ(Score(session.totals()), 42);
}

TEST_F(RescoreTest, ALogOpenedForReadingIsNeitherCopiedNorRescored) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Add("UA3ABC", "20");
  session.Start(LogAccess::kRead);
  EXPECT_FALSE(session.RescoreLog());
  EXPECT_FALSE(dir.Has(kRescoreCopyName));
  EXPECT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(Notes(), "0::|");
}

TEST_F(RescoreTest, NoCopyOfTheLogMeansNothingChanges) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Add("UA3ABC", "20");
  std::filesystem::create_directories(dir / std::string(kRescoreCopyName) + "/in-the-way");
  std::string before = dir.Read(kLogFileName);
  EXPECT_FALSE(session.RescoreLog());
  EXPECT_EQ(notifier.errors, std::vector<std::string>{kRescoreCopyFailed});
  EXPECT_EQ(dir.Read(kLogFileName), before);
  EXPECT_EQ(Notes(), "0::|");
}

// A log linked from the working folder is rescored where it lies and the copy holds its
// bytes, not the link.
TEST_F(RescoreTest, ALinkedLogStaysLinked) {
  namespace fsys = std::filesystem;
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Add("UA3ABC", "20");
  fsys::create_directories(dir / "logs");
  fsys::rename(dir / kLogFileName, dir / "logs/contest.dat");
  fsys::create_symlink(dir / "logs/contest.dat", dir / kLogFileName);
  std::string before = dir.Read(kLogFileName);

  ASSERT_TRUE(session.RescoreLog());
  EXPECT_TRUE(fsys::is_symlink(dir / kLogFileName));
  EXPECT_FALSE(fsys::is_symlink(dir / kRescoreCopyName));
  EXPECT_EQ(dir.Read(kRescoreCopyName), before);
  RawLog().LoadLog();
  EXPECT_EQ(Notes(), "1:UA:|");
}

}  // namespace
}  // namespace mirva
