#include "session/qso_entry.h"

#include <gtest/gtest.h>

#include "error.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class QsoEntryTest : public SessionTest {
 protected:
  FixedClock clock{{46000, "12:00"}};
  QsoEntry entry{session, clock};

  void Select(std::string_view contest, std::string_view own_call) {
    Setup(contest, own_call, "");
    session.RebuildTotals();
    entry.Activate();
    entry.NumberSent = session.NextSentExchange();
  }

  /// Types the callsign, leaves the field, types the exchange (when given) and saves.
  SaveOutcome Log(std::string_view call, std::string_view band, std::string_view rcvd = "") {
    if (entry.Band != band) {
      entry.Band = band;
      entry.BandChanged();
    }
    entry.Call = call;
    entry.CallChanged();
    entry.CallExited();
    if (!rcvd.empty()) {
      entry.NumberRcvd = rcvd;
      entry.RcvdChanged();
    }
    return entry.Save();
  }
};

TEST_F(QsoEntryTest, DuplicateIsMarkedWhileTypingAndSavedWithoutPoints) {
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  EXPECT_EQ(entry.Mode, "CW");
  EXPECT_EQ(entry.Band, "160");
  EXPECT_EQ(entry.RprtSent, "599");
  ASSERT_EQ(Log("UA3ABC", "20"), SaveOutcome::kSaved);
  EXPECT_EQ(session.log().QSOLog().back().Points, 1);

  entry.Note = "QRM";
  entry.Call = "UA3ABC";
  entry.CallChanged();
  EXPECT_TRUE(entry.view.Dupe);
  EXPECT_FALSE(entry.CountPoints);
  EXPECT_EQ(entry.Note, "##Dupe## QRM");

  entry.Band = "15";
  entry.BandChanged();
  EXPECT_FALSE(entry.view.Dupe);
  EXPECT_EQ(entry.Note, "QRM");

  entry.Band = "20";
  entry.BandChanged();
  ASSERT_EQ(entry.Save(), SaveOutcome::kSaved);
  const TQSOData& dupe = session.log().QSOLog().back();
  EXPECT_EQ(dupe.Points, 0);
  EXPECT_EQ(dupe.Note, "##Dupe## QRM");
  EXPECT_EQ(dupe.NumberRcvd, "16");
  EXPECT_EQ(session.totals().TotalPoints, 1);
}

TEST_F(QsoEntryTest, ZoneIsProposedWhileTypingAndATypedOneKept) {
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  entry.Call = "UA";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "16");
  EXPECT_EQ(entry.view.Country, "European Russia");
  EXPECT_EQ(entry.view.CQ, "16");

  // A typed zone survives later keystrokes.
  entry.NumberRcvd = "17";
  entry.Call = "UA9";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "17");
}

TEST_F(QsoEntryTest, SaveRefusesABlankCallAndAsksAboutABlankExchange) {
  Select("CQ WW WPX Contest (CW)", "DL1ABC");
  entry.Call = "  ";
  EXPECT_EQ(entry.Save(), SaveOutcome::kNoCall);
  EXPECT_EQ(notifier.errors, std::vector<std::string>{kEmptyCallMessage});

  EXPECT_EQ(Log("DL2XYZ", "20"), SaveOutcome::kNotConfirmed);
  EXPECT_EQ(notifier.questions, std::vector<std::string>{kEmptyRcvdQuestion});
  EXPECT_TRUE(session.log().QSOLog().empty());
  EXPECT_EQ(entry.Call, "DL2XYZ");

  notifier.answer = true;
  EXPECT_EQ(entry.Save(), SaveOutcome::kSaved);
  EXPECT_EQ(session.log().QSOLog().size(), 1u);
}

TEST_F(QsoEntryTest, SaveClearsTheEntryAndProposesTheNextSerial) {
  Select("CQ WW WPX Contest (CW)", "DL1ABC");
  EXPECT_EQ(entry.NumberSent, "001");
  entry.Note = "first";
  ASSERT_EQ(Log("F5ABC", "40", "7"), SaveOutcome::kSaved);
  const TQSOData& q = session.log().QSOLog().back();
  EXPECT_EQ(q.QSOTime, "12:00");
  EXPECT_EQ(q.QSODate, 46000);
  EXPECT_EQ(q.NumberSent, "001");
  EXPECT_EQ(q.NumberRcvd, "007");
  EXPECT_EQ(q.CountryPrefix, "F");
  EXPECT_EQ(q.Note, "first");
  EXPECT_EQ(entry.Call, "");
  EXPECT_EQ(entry.NumberRcvd, "");
  EXPECT_EQ(entry.Note, "");
  EXPECT_EQ(entry.NumberSent, "002");

  // A sent exchange that is no number stops only the proposal: the QSO is logged.
  entry.NumberSent = "ABC";
  EXPECT_EQ(Log("G4ABC", "40", "9"), SaveOutcome::kSavedWithoutNextSent);
  EXPECT_EQ(session.log().QSOLog().back().Call, "G4ABC");
  EXPECT_EQ(entry.NumberSent, "");
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(notifier.errors[0], "'ABC' is not a valid integer value");
}

TEST_F(QsoEntryTest, ModeChangeSetsTheReports) {
  Select("ARRL 10 meter Contest", "DL1ABC");
  entry.Mode = "SSB";
  entry.ModeChanged();
  EXPECT_EQ(entry.RprtSent, "59");
  EXPECT_EQ(entry.RprtRcvd, "59");
}

}  // namespace
}  // namespace mirva
