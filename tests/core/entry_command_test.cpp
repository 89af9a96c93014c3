#include "session/entry_command.h"

#include <gtest/gtest.h>

#include "error.h"
#include "link/ini_entry_file.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr long kCallBit = 4, kBandBit = 16, kRcvdBit = 1048576;

/// Writes down each step a window would show, as "Call", "Band", ... and "saved"/"not
/// confirmed".
class StepRecorder : public EntryCommandWatcher {
 public:
  std::string steps;

  void FieldSet(EntryField field) override {
    constexpr const char* kNames[] = {"Call",       "Band",     "Mode",       "RprtSent",
                                      "NumberSent", "RprtRcvd", "NumberRcvd", "Note"};
    Add(kNames[static_cast<int>(field)]);
  }
  void SaveEnded(SaveOutcome outcome) override { Add(IsLogged(outcome) ? "saved" : "not saved"); }

 private:
  void Add(const char* step) { steps += (steps.empty() ? "" : " ") + std::string(step); }
};

// The companion's files sit beside the log; writes to the log fail while `log_fails` is set.
class EntryCommandTest : public SessionTest {
 protected:
  FixedClock clock{{46000, "12:00"}};
  IniEntryFile file{fs, dir.path()};
  QsoEntry entry{session, clock, &file};
  StepRecorder recorder;
  bool log_fails = false;

  void SetUp() override {
    SessionTest::SetUp();
    fs.before = [this](const std::string& op, const std::string& path) {
      if (log_fails && op.starts_with("write") && path.find(kLogFileName) != std::string::npos)
        throw IoError("Cannot write " + path);
    };
    Setup("CQ WW DX Contest (CW)", "DL1ABC");
    session.RebuildTotals();
    entry.Activate();
  }

  std::optional<CommandReply> Run(long wparam, long lparam) {
    return RunEntryCommand(session, entry, wparam, lparam, &recorder);
  }
};

TEST_F(EntryCommandTest, LoadedFieldsRunTheirChangeHandlingAndTheSaveLogsThem) {
  struct Case {
    const char* name;
    const char* input;
    long wparam, lparam;
    bool answer;  ///< to the question whether to save without a received exchange
    int replied;
    const char* steps;
    const char* logged;  ///< the callsign logged, empty for none
  } cases[] = {
      {"load and save", "[QSO]\nCall=ua9xyz\nNumberRcvd=17\n", 129, kCallBit | kRcvdBit, false, 1,
       "Call NumberRcvd saved", "UA9XYZ"},
      {"a band of the contest", "[QSO]\nBand=40\n", 131, kBandBit, false, 1, "Band", ""},
      {"a band it lacks stays", "[QSO]\nBand=7\n", 131, kBandBit, false, 1, "", ""},
      {"received exchange emptied, save declined", "[QSO]\nCall=UA9XYZ\n", 129, kCallBit | kRcvdBit,
       false, 0, "Call NumberRcvd not saved", ""},
      {"received exchange emptied, save confirmed", "[QSO]\nCall=UA9XYZ\n", 129,
       kCallBit | kRcvdBit, true, 1, "Call NumberRcvd saved", "UA9XYZ"},
      {"emptied, not loaded", "[QSO]\nCall=UA9XYZ\n", 133, kCallBit, false, 1, "Call", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir.Write("loginput.ini", c.input);
    notifier.answer = c.answer;
    recorder.steps.clear();
    std::size_t before = session.log().QSOLog().size();
    EXPECT_EQ(Run(c.wparam, c.lparam), (CommandReply{c.wparam, c.replied}));
    EXPECT_EQ(recorder.steps, c.steps);
    if (*c.logged) {
      ASSERT_EQ(session.log().QSOLog().size(), before + 1);
      EXPECT_EQ(session.log().QSOLog().back().Call, c.logged);
      EXPECT_EQ(entry.Call, "");
    } else {
      EXPECT_EQ(session.log().QSOLog().size(), before);
    }
  }
  // A loaded band and callsign are looked up as typed ones are.
  EXPECT_EQ(entry.Band, "40");
  dir.Write("loginput.ini", "[QSO]\nCall=UA9XYZ\n");
  Run(131, kCallBit);
  EXPECT_EQ(entry.view.Country, "Asiatic Russia");
  EXPECT_TRUE(entry.view.Dupe) << "UA9XYZ is logged on 40 m already";
  EXPECT_TRUE(notifier.errors.empty());
}

TEST_F(EntryCommandTest, AQsoThatCannotBeWrittenIsToldAndRepliedAsNotSaved) {
  dir.Write("loginput.ini", "[QSO]\nCall=UA9XYZ\nNumberRcvd=17\n");
  log_fails = true;
  EXPECT_EQ(Run(129, kCallBit | kRcvdBit), (CommandReply{129, 0}));
  EXPECT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(session.log().QSOLog().size(), 0u);
  EXPECT_EQ(entry.Call, "UA9XYZ") << "the entry stays for another try";
  EXPECT_EQ(recorder.steps, "Call NumberRcvd");

  log_fails = false;
  EXPECT_EQ(Run(128, 0), (CommandReply{128, 1}));
  EXPECT_EQ(session.log().QSOLog().size(), 1u);
}

}  // namespace
}  // namespace mirva
