#include "link/companion_command.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "link/log_input.h"
#include "log/input_rule.h"

namespace mirva {
namespace {

const char* Name(EntryField field) {
  constexpr const char* kNames[] = {"Call",       "Band",     "Mode",       "RprtSent",
                                    "NumberSent", "RprtRcvd", "NumberRcvd", "Note"};
  return kNames[static_cast<int>(field)];
}

/// A complete 20 m CW entry that writes down, in order, what the command did to it.
class FakeEntry : public CommandTarget {
 public:
  std::map<EntryField, std::string> fields{{EntryField::kCall, "UA1ABC"},
                                           {EntryField::kBand, "20"},
                                           {EntryField::kMode, "CW"},
                                           {EntryField::kRprtSent, "599"},
                                           {EntryField::kRprtRcvd, "599"}};
  std::string input;
  bool save_logs = true;
  std::string done;  ///< "read", "Call=X", "save", one after another
  std::vector<std::string> told;

  std::string Field(EntryField field) const override {
    auto found = fields.find(field);
    return found == fields.end() ? "" : found->second;
  }
  void SetField(EntryField field, const std::string& value) override {
    fields[field] = value;
    Note(std::string(Name(field)) + "=" + value);
  }
  bool IsContestBand(std::string_view band) const override {
    return band == "80" || band == "40" || band == "20";
  }
  IniFile ReadInput() override {
    Note("read");
    return IniFile::Parse(input);
  }
  bool Save() override {
    Note("save");
    return save_logs;
  }
  void Tell(const std::string& text) override { told.push_back(text); }

 private:
  void Note(const std::string& step) { done += (done.empty() ? "" : " ") + step; }
};

constexpr char kInput[] =
    "[QSO]\nCall=ua9xyz\nBand=40\nRprtSent=579\nRprtRcvd=589\nNote=QRM\n"
    "NumberSent=007\nNumberRcvd=17\n";

TEST(CompanionCommand, RepliesAndActsByCode) {
  constexpr long kAll = 4 | 16 | 32 | 64 | 1024 | 131072 | 262144 | 524288 | 1048576;
  constexpr int kNoReply = -1;
  constexpr std::optional<EntryField> kKeep;
  struct Case {
    const char* name;
    long wparam, lparam;
    std::optional<EntryField> blanked;
    bool save_logs;
    int result;  ///< the reply's lparam; its wparam echoes the code
    std::string done;
  } cases[] = {
      {"save complete", 128, 0, kKeep, true, 1, "save"},
      {"high bits echoed", 0x180, 0, kKeep, true, 1, "save"},
      {"no received report", 128, 0, EntryField::kRprtRcvd, true, 0, ""},
      {"save refused", 128, 0, kKeep, false, 0, "save"},
      {"load call and exchange, save", 129, 4 | 1048576, kKeep, true, 1,
       "read Call=UA9XYZ NumberRcvd=17 save"},
      {"loaded but incomplete", 130, 64, EntryField::kRprtSent, true, 0, "read RprtRcvd=589"},
      {"load in table order", 131, kAll, kKeep, true, 1,
       "read Call=UA9XYZ Band=40 RprtRcvd=589 RprtSent=579 Note=QRM RprtSent=579 RprtRcvd=589 "
       "NumberSent=007 NumberRcvd=17"},
      {"load nothing", 132, 0, kKeep, true, 1, "read"},
      {"empty call", 133, 4, kKeep, true, 1, "Call="},
      {"empty reports", 133, 64 | 131072, kKeep, true, 1, "RprtRcvd= RprtSent="},
      {"unknown bits", 131, 1 | 2 | 8, kKeep, true, 1, "read"},
      {"code 127", 127, 4, kKeep, true, kNoReply, ""},
      {"code 134", 134, 4, kKeep, true, kNoReply, ""},
      {"code 0 under 0x100", 0x100, 4, kKeep, true, kNoReply, ""},
  };
  for (const Case& c : cases) {
    FakeEntry entry;
    entry.input = kInput;
    entry.save_logs = c.save_logs;
    if (c.blanked)
      entry.fields[*c.blanked] = " ";
    std::optional<CommandReply> reply;
    if (c.result != kNoReply)
      reply = CommandReply{c.wparam, c.result};
    EXPECT_EQ(RunCompanionCommand(entry, c.wparam, c.lparam), reply) << c.name;
    EXPECT_EQ(entry.done, c.done) << c.name;
  }
  // A code with no reply touches nothing, whatever its mask.
  FakeEntry untouched;
  RunCompanionCommand(untouched, 127, kAll);
  EXPECT_EQ(untouched.fields, FakeEntry().fields);
}

TEST(CompanionCommand, LoadedValuesKeepToTheirFields) {
  std::string long_rcvd(kNumberRcvdInput.capacity + 3, '7');
  struct Case {
    const char* name;
    long wparam, lparam;
    std::string input;
    std::string done;
    std::string told;  ///< what the operator is told, in part; empty for nothing
  } cases[] = {
      {"clean", 131, 4 | 1024, "[QSO]\nCall=ua1a\nNote=\xC0\xE1 ok\n",
       "read Call=UA1A Note=\xC0\xE1 ok", ""},
      {"missing file", 131, 4 | 1048576, "", "read Call= NumberRcvd=", ""},
      {"control dropped", 131, 4, "[QSO]\nCall=UA\t1A\n", "read Call=UA1A", "key Call"},
      {"unassigned byte dropped", 131, 1024, "[QSO]\nNote=a\x98z\n", "read Note=az", "key Note"},
      {"not a callsign character", 131, 4, "[QSO]\nCall=UA-1\xC0\n", "read Call=UA1",
       "a callsign is Latin letters"},
      {"too long", 131, 1048576, "[QSO]\nNumberRcvd=" + long_rcvd + "\n",
       "read NumberRcvd=" + long_rcvd.substr(0, kNumberRcvdInput.capacity), "key NumberRcvd"},
      {"contest band", 131, 16, "[QSO]\nBand=80\n", "read Band=80", ""},
      {"foreign band stays", 131, 16, "[QSO]\nBand=7\n", "read", "the band stays '20'"},
      {"missing band stays", 131, 16, "[QSO]\n", "read", "key Band"},
      {"band emptied", 133, 16, "", "Band=", ""},
  };
  for (const Case& c : cases) {
    FakeEntry entry;
    entry.input = c.input;
    RunCompanionCommand(entry, c.wparam, c.lparam);
    EXPECT_EQ(entry.done, c.done) << c.name;
    if (c.told.empty()) {
      EXPECT_TRUE(entry.told.empty()) << c.name;
    } else {
      ASSERT_EQ(entry.told.size(), 1u) << c.name;
      EXPECT_NE(entry.told[0].find(c.told), std::string::npos) << c.name << ": " << entry.told[0];
      EXPECT_NE(entry.told[0].find("loginput.ini"), std::string::npos) << c.name;
    }
  }
}

TEST(CompanionCommand, EveryProblemOfACommandIsToldInOneMessage) {
  FakeEntry entry;
  entry.input = "[QSO]\nCall=U A\nBand=2m\nNote=a\x01z\n";
  RunCompanionCommand(entry, 129, 4 | 16 | 1024);
  ASSERT_EQ(entry.told.size(), 1u);
  for (const char* key : {"key Call", "key Band", "key Note"})
    EXPECT_NE(entry.told[0].find(key), std::string::npos) << key;
}

TEST(CompanionCommand, IncompleteMeansABlankOfTheFiveFields) {
  for (EntryField field : {EntryField::kCall, EntryField::kMode, EntryField::kBand,
                           EntryField::kRprtSent, EntryField::kRprtRcvd}) {
    FakeEntry entry;
    entry.fields[field] = " \t";
    EXPECT_TRUE(EntryIncomplete(entry)) << Name(field);
  }
  FakeEntry entry;
  entry.fields[EntryField::kNumberRcvd] = "";
  entry.fields[EntryField::kNumberSent] = "";
  EXPECT_FALSE(EntryIncomplete(entry));
}

}  // namespace
}  // namespace mirva
