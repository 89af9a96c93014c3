#include "session/qso_entry.h"

#include <gtest/gtest.h>

#include "error.h"
#include "link/ini_entry_file.h"
#include "session_fixture.h"

namespace mirva {
namespace {

class QsoEntryTest : public SessionTest {
 protected:
  FixedClock clock{{46000, "12:00"}};
  QsoEntry entry{session, clock};

  void Select(std::string_view contest, std::string_view own_call, std::string_view state = "") {
    Setup(contest, own_call, state);
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
  EXPECT_EQ(session.log().QSOLog().back().Note, "##Dupe## QRM");
  EXPECT_EQ(session.totals().TotalPoints, 1);
}

// The line under the callsign tells a dupe or what the QSO would count as new, as the save
// will score it; a WPX prefix not yet worked is new although no list holds it yet.
TEST_F(QsoEntryTest, StatusLineTellsDupesAndNewMultipliers) {
  struct Case {
    const char* contest;
    const char* call;
    const char* band;
    const char* status;
  };
  const Case cases[] = {
      {"CQ WW DX Contest (CW)", "UA3ABC", "20", "DUPE"},
      {"CQ WW DX Contest (CW)", "UA3XYZ", "20", ""},
      {"CQ WW DX Contest (CW)", "UA3XYZ", "15", "NEW MULT (UA, 16)"},
      {"CQ WW DX Contest (CW)", "JA1ABC", "20", "NEW MULT (JA, 25)"},
      {"CQ WW DX Contest (CW)", "U", "15", ""},
      {"CQ WW WPX Contest (CW)", "UA3ABD", "20", ""},
      {"CQ WW WPX Contest (CW)", "UA4ABC", "20", "NEW MULT (UA4)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.contest) + " " + c.call + " " + c.band);
    Select(c.contest, "DL1ABC");
    session.ClearLog();
    // WPX proposes no exchange; CQ WW proposes the zone.
    bool serial = std::string_view(c.contest).find("WPX") != std::string_view::npos;
    ASSERT_EQ(Log("UA3ABC", "20", serial ? "1" : ""), SaveOutcome::kSaved);
    entry.Band = c.band;
    entry.BandChanged();
    entry.Call = c.call;
    entry.CallChanged();
    EXPECT_EQ(entry.StatusLine(), c.status);
  }
}

// While typing, the fields show upper case, the zone is proposed and follows the callsign
// until the operator types one, which is kept.
TEST_F(QsoEntryTest, TypingProposesTheZoneAndKeepsATypedOne) {
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  entry.Call = "ua";
  entry.CallChanged();
  EXPECT_EQ(entry.Call, "UA");
  EXPECT_EQ(entry.NumberRcvd, "16");
  EXPECT_EQ(entry.view.Mults[0].Name, "UA");
  entry.Call = "UA9ABC";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "17");
  entry.CallExited();
  EXPECT_EQ(entry.NumberRcvd, "17");

  entry.NumberRcvd = "17a";
  entry.RcvdChanged();
  EXPECT_EQ(entry.NumberRcvd, "17A");
  entry.Call = "UA9";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "17A");
}

TEST_F(QsoEntryTest, SaveClearsTheEntryAndProposesTheNextSerial) {
  Select("CQ WW WPX Contest (CW)", "DL1ABC");
  EXPECT_EQ(entry.NumberSent, "001");
  entry.Note = "first";
  ASSERT_EQ(Log("F5ABC", "40", "7"), SaveOutcome::kSaved);
  EXPECT_EQ(session.log().QSOLog().back().Note, "first");
  EXPECT_EQ(entry.Call, "");
  EXPECT_EQ(entry.NumberRcvd, "");
  EXPECT_EQ(entry.Note, "");
  EXPECT_EQ(entry.NumberSent, "002");

  // A sent exchange that is no number stops only the proposal: the QSO is logged.
  entry.NumberSent = "ABC";
  EXPECT_EQ(Log("G4ABC", "40", "9"), SaveOutcome::kSavedWithoutNextSent);
  EXPECT_EQ(session.log().QSOLog().back().Call, "G4ABC");
  EXPECT_EQ(entry.NumberSent, "");
  EXPECT_EQ(notifier.errors,
            std::vector<std::string>{"The last sent exchange 'ABC' is not a serial number; type "
                                     "the number to send in Sent."});

  // The operator saves with Sent left empty: the proposal names the exchange that stops it,
  // and once a number is typed the serial counts on from it.
  notifier.errors.clear();
  EXPECT_EQ(Log("G4ABD", "40", "9"), SaveOutcome::kSavedWithoutNextSent);
  EXPECT_EQ(notifier.errors, std::vector<std::string>{"The last sent exchange 'ABC' is not a "
                                                      "serial number; type the number to send "
                                                      "in Sent."});
  entry.NumberSent = "004";
  EXPECT_EQ(Log("G4ABE", "40", "9"), SaveOutcome::kSaved);
  EXPECT_EQ(entry.NumberSent, "005");
}

// A blank callsign is an empty one, as the input rule takes it.
TEST_F(QsoEntryTest, BlankCallsignIsRefusedAsEmpty) {
  Select("CQ WW WPX Contest (CW)", "DL1ABC");
  for (const char* call : {"", "   "}) {
    notifier.errors.clear();
    entry.Call = call;
    EXPECT_EQ(entry.Save(), SaveOutcome::kNoCall) << "'" << call << "'";
    EXPECT_EQ(notifier.errors, std::vector<std::string>{kEmptyCallMessage});
  }
  EXPECT_TRUE(session.log().QSOLog().empty());
}

// The set-up tells that State holds no zone; each save that scores 0 for it tells so once.
TEST_F(QsoEntryTest, StateThatIsNoZoneIsToldAtTheSetupAndOncePerSave) {
  Select("Чемпионат/Кубок России телеграфом", "UA3ABC", "MO");
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_NE(notifier.errors[0].find("State field; 'MO' is not one"), std::string::npos);
  for (const char* call : {"UA9ABC", "UA9ABD"}) {
    notifier.errors.clear();
    entry.NumberSent = "3001";
    ASSERT_EQ(Log(call, "20", "5001"), SaveOutcome::kSaved);
    EXPECT_EQ(session.log().QSOLog().back().Points, 0);
    ASSERT_EQ(notifier.errors.size(), 1u) << call;
    EXPECT_TRUE(Cp1251ToUtf8(notifier.errors[0]).starts_with("Неверное значение в поле State."));
  }
}

// The repeat rule of the hour is decided when the QSO is saved, not when the call was typed.
TEST_F(QsoEntryTest, StatusFollowsTheClockAtTheSave) {
  Select("Чемпионат/Кубок России телеграфом", "UA3ABC", "3");
  clock.Set({46000, "12:59"});
  ASSERT_EQ(Log("UA9ABC", "20", "5001"), SaveOutcome::kSaved);
  entry.Call = "UA9ABC";
  entry.CallChanged();
  entry.NumberRcvd = "5002";
  EXPECT_TRUE(entry.view.Dupe);
  clock.Set({46000, "13:00"});
  ASSERT_EQ(entry.Save(), SaveOutcome::kSaved);
  const TQSOData saved = session.log().QSOLog().back();
  EXPECT_EQ(saved.Note, "");
  EXPECT_GT(saved.Points, 0);
}

/// Writes down which texts each write of the entry file was for, and the callsign it held.
struct RecordingEntryFile : EntryFile {
  std::vector<std::pair<EntrySelector, std::string>> writes;
  EntryTexts last;
  void Write(const EntryTexts& texts, EntrySelector selector) override {
    writes.emplace_back(selector, texts.Call);
    last = texts;
  }
};

// Each edit mirrors the entry, naming the field that changed; after a save the whole cleared
// entry is mirrored, with the next serial number that the companion sends.
TEST_F(QsoEntryTest, EveryEditIsMirroredIntoTheEntryFile) {
  RecordingEntryFile file;
  QsoEntry mirrored{session, clock, &file};
  Select("CQ WW WPX Contest (CW)", "DL1ABC");
  mirrored.Activate();
  mirrored.Call = "f5abc";
  mirrored.CallChanged();
  mirrored.RprtSent = "579";
  mirrored.RprtSentChanged();
  mirrored.NumberSent = "001a";
  mirrored.SentChanged();
  EXPECT_EQ(mirrored.NumberSent, "001A");
  mirrored.NumberSent = "001";
  mirrored.RprtRcvd = "559";
  mirrored.RprtRcvdChanged();
  mirrored.NumberRcvd = "7";
  mirrored.RcvdChanged();
  mirrored.Publish(kEntryAll);
  ASSERT_EQ(mirrored.Save(), SaveOutcome::kSaved);
  using Write = std::pair<EntrySelector, std::string>;
  const std::vector<Write> expected = {{kEntryCall, "F5ABC"},
                                       {kEntryRprtSent, "F5ABC"},
                                       {kEntryNumberSent, "F5ABC"},
                                       {kEntryRprtRcvd, "F5ABC"},
                                       {kEntryNumberRcvd, "F5ABC"},
                                       {kEntryAll, "F5ABC"},
                                       {kEntryAll, ""}};
  EXPECT_EQ(file.writes, expected);
  EXPECT_EQ(file.last.NumberSent, "002");
  EXPECT_EQ(file.last.NumberRcvd, "");
}

// The shared entry file sits beside the log here, failing while `failing` is set.
class SharedEntryFileTest : public QsoEntryTest {
 protected:
  bool failing = false;
  IniEntryFile file{fs, dir.path()};
  QsoEntry shared{session, clock, &file};

  void SetUp() override {
    QsoEntryTest::SetUp();
    fs.before = [this](const std::string&, const std::string& path) {
      if (failing && path.find(kEntryFileName) != std::string::npos)
        throw IoError("Cannot write " + path);
    };
    Select("CQ WW DX Contest (CW)", "DL1ABC");
    shared.Activate();
  }

  void Type(std::string_view call) {
    shared.Call = call;
    shared.CallChanged();
  }
};

// A file that cannot be written never stops the lookups, and tells the operator once per run
// of failures.
TEST_F(SharedEntryFileTest, AFailingFileDoesNotStopTyping) {
  failing = true;
  Type("U");
  Type("UA");
  Type("UA3");
  EXPECT_EQ(shared.view.Country, "European Russia");
  EXPECT_EQ(notifier.errors.size(), 1u);
  failing = false;
  Type("UA3A");
  EXPECT_NE(dir.Read(kEntryFileName).find("Call=UA3A"), std::string::npos);
  failing = true;
  Type("UA3AB");
  ASSERT_EQ(notifier.errors.size(), 2u);
  EXPECT_NE(notifier.errors[1].find(kEntryFileName), std::string::npos);
}

// Completion takes a single worked call only: with none or two the callsign stays as typed.
TEST_F(QsoEntryTest, CompletionTakesOnlyASingleWorkedCall) {
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  ASSERT_EQ(Log("UA3ABC", "20"), SaveOutcome::kSaved);
  ASSERT_EQ(Log("UA3ABD", "20"), SaveOutcome::kSaved);
  struct Case {
    const char* typed;
    bool completes;
    const char* call;
    bool dupe;
  } cases[] = {
      {"3ABC", true, "UA3ABC", true}, {"UA3AB", false, "UA3AB", false}, {"K1", false, "K1", false}};
  for (const Case& c : cases) {
    entry.Call = c.typed;
    entry.CallChanged();
    EXPECT_EQ(entry.CompleteFromWorked(), c.completes) << c.typed;
    EXPECT_EQ(entry.Call, c.call) << c.typed;
    EXPECT_EQ(entry.view.Dupe, c.dupe) << c.typed;
  }
}

// An edit never blanks a callsign; a record that came with a blank one may keep it.
TEST_F(QsoEntryTest, EditRefusesToBlankACallsign) {
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  Log("UA3ABC", "20");
  const std::string before = dir.Read(kLogFileName);
  for (const char* call : {"", "  "}) {
    TQSOData edited = session.log().QSOLog()[0];
    edited.Call = call;
    edited.Note = "changed";
    try {
      session.EditQso(0, edited);
      ADD_FAILURE() << "'" << call << "'";
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), kEmptyCallMessage);
    }
    EXPECT_EQ(dir.Read(kLogFileName), before);
  }
  TQSOData blank = Qso("", "20", "CW");
  session.SaveQso(blank);
  blank = session.log().QSOLog()[1];
  blank.Note = "no call";
  session.EditQso(1, blank);
  EXPECT_EQ(session.log().QSOLog()[1].Note, "no call");
}

/// Writes down what the session told.
struct EventLog : SessionListener {
  std::vector<std::string> events;
  void QsoAppended(std::size_t i) override { events.push_back("appended " + std::to_string(i)); }
  void QsoChanged(std::size_t i) override { events.push_back("changed " + std::to_string(i)); }
  void LogReplaced() override { events.push_back("replaced"); }
  void TotalsChanged() override { events.push_back("totals"); }
  void ContestChanged() override { events.push_back("contest"); }
  void StationChanged() override { events.push_back("station"); }
};

TEST_F(QsoEntryTest, EveryOperationTellsEachListener) {
  EventLog first, second;
  session.AddListener(&first);
  session.AddListener(&second);
  Select("CQ WW DX Contest (CW)", "DL1ABC");
  Log("UA3ABC", "20");
  TQSOData edited = session.log().QSOLog()[0];
  edited.Call = "UA3XYZ";
  session.EditQso(0, edited);
  session.DeleteQso(0);
  session.RemoveListener(&second);
  session.ClearLog();
  const std::vector<std::string> all = {"station",    "contest", "station",   "totals",
                                        "appended 0", "totals",  "changed 0", "totals",
                                        "replaced",   "totals",  "replaced",  "totals"};
  EXPECT_EQ(first.events, all);
  EXPECT_EQ(second.events, std::vector<std::string>(all.begin(), all.end() - 2));
}

}  // namespace
}  // namespace mirva
