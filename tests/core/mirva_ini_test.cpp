#include "link/mirva_ini.h"

#include <gtest/gtest.h>

#include "error.h"
#include "failing_file_system.h"
#include "link/ini_entry_file.h"
#include "memory_file_system.h"

namespace mirva {
namespace {

TEST(MirvaIni, ShortFormsAsTheCompanionKeysThem) {
  struct Case {
    std::string_view text, report, number;
  } cases[] = {
      {"599", "5nn", "5nn"}, {"090", "0n0", "tnt"},       {"1009", "100n", "1ttn"},
      {"", "", ""},          {"59+ 0", "5n+ 0", "5n+ t"}, {"NN90", "NNn0", "NNnt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReportShortForm(c.text), c.report) << c.text;
    EXPECT_EQ(NumberShortForm(c.text), c.number) << c.text;
  }
}

TEST(MirvaIni, EachSelectorWritesItsOwnKeys) {
  const EntryTexts entry{"UA9ABC", "599", "090", "579", "19"};
  struct Case {
    EntrySelector selector;
    std::string_view lines;
  } cases[] = {
      {kEntryCall, "Call=UA9ABC\r\n"},
      {kEntryRprtSent, "RprtSent=599\r\nsRprtSent=5nn\r\n"},
      {kEntryNumberSent, "NumberSent=090\r\nsNumberSent=tnt\r\n"},
      {kEntryRprtRcvd, "RprtRcvd=579\r\nsRprtRcvd=57n\r\n"},
      {kEntryNumberRcvd, "NumberRcvd=19\r\nsNumberRcvd=1n\r\n"},
      {kEntryAll,
       "Call=UA9ABC\r\nRprtSent=599\r\nsRprtSent=5nn\r\nNumberSent=090\r\nsNumberSent=tnt\r\n"
       "RprtRcvd=579\r\nsRprtRcvd=57n\r\nNumberRcvd=19\r\nsNumberRcvd=1n\r\n"},
      {static_cast<EntrySelector>(0), ""},
      {static_cast<EntrySelector>(7), ""},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::Parse("[Other]\r\nCall=keep\r\n");
    WriteMirvaIni(ini, entry, c.selector);
    std::string qso = c.lines.empty() ? "" : "[QSO]\r\n" + std::string(c.lines);
    EXPECT_EQ(ini.Text(), "[Other]\r\nCall=keep\r\n" + qso) << c.selector;
  }
}

class IniEntryFileTest : public ::testing::Test {
 protected:
  MemoryFileSystem memory;
  FailingFileSystem fs{memory};
  IniEntryFile file{fs, "/shared"};
};

TEST_F(IniEntryFileTest, ReplacesTheWholeFileKeepingWhatOthersWrote) {
  memory.files["/shared/mirva.INI"] =
      "; theirs\r\n[QSO]\r\nCall=OLD\r\nExtra=1\r\n[Radio]\r\nf=7\r\n";
  file.Write({"UA1A", "599", "1", "599", "2"}, kEntryCall);
  EXPECT_EQ(memory.files["/shared/mirva.INI"],
            "; theirs\r\n[QSO]\r\nCall=UA1A\r\nExtra=1\r\n[Radio]\r\nf=7\r\n");
  EXPECT_EQ(memory.files.count("/shared/mirva.INI.tmp"), 0u);
  EXPECT_EQ(fs.Calls("write"), 1);
  EXPECT_EQ(fs.Calls("rename"), 1);
}

TEST_F(IniEntryFileTest, AFailedWriteLeavesTheFileAsItWas) {
  const std::string before = "[QSO]\r\nCall=OLD\r\n";
  struct Case {
    const char* name;
    std::function<void()> fault;
  } cases[] = {
      {"temporary not written", [&] { fs.Fail("write", 1, Strike::kPart); }},
      {"rename fails", [&] { fs.Fail("rename", 1, Strike::kBefore); }},
      {"file unreadable", [&] { fs.unreadable = true; }},
  };
  for (const Case& c : cases) {
    memory.files = {{"/shared/mirva.INI", before}};
    fs.Reset();
    fs.unreadable = false;
    c.fault();
    EXPECT_THROW(file.Write({"NEW", "", "", "", ""}, kEntryAll), IoError) << c.name;
    EXPECT_EQ(memory.files["/shared/mirva.INI"], before) << c.name;
  }
}

TEST_F(IniEntryFileTest, InputFileMissingReadsEmpty) {
  EXPECT_EQ(file.ReadInput().Read(kQsoSection, "Call", "?"), "?");
  memory.files["/shared/loginput.ini"] = "[qso]\nCall = ua1a\n";
  EXPECT_EQ(file.ReadInput().Read(kQsoSection, "Call", "?"), "ua1a");
}

}  // namespace
}  // namespace mirva
