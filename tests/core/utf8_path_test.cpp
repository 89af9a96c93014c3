#include "text/utf8_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "log/log_store.h"
#include "native_file_system.h"
#include "sample_qso.h"
#include "test_dir.h"

namespace mirva {
namespace {

const std::string kSep(1, static_cast<char>(std::filesystem::path::preferred_separator));
const std::string kTest = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";  // "Тест" in UTF-8
const std::string kJournal = "\xD0\xB6\xD1\x83\xD1\x80.dat";   // "жур.dat"

TEST(Utf8Path, KeepsEveryLetterWhateverTheCodePage) {
  struct Join {
    std::string dir, name, joined;
  } joins[] = {
      {"/tmp/" + kTest, "mrvtest.dat", "/tmp/" + kTest + kSep + "mrvtest.dat"},
      {"logs", kJournal, "logs" + kSep + kJournal},
      {kTest + "/", kJournal, kTest + "/" + kJournal},
      {"", kJournal, kJournal},
  };
  for (const Join& j : joins)
    EXPECT_EQ(JoinPath(j.dir, j.name), j.joined) << j.dir;
  struct Split {
    std::string path, parent, name;
  } splits[] = {
      {"/tmp/" + kTest + "/" + kJournal, "/tmp/" + kTest, kJournal},
      {"/tmp/" + kTest, "/tmp", kTest},
      {kTest + "/", kTest, ""},
      {kJournal, "", kJournal},
      {"", "", ""},
  };
  for (const Split& s : splits) {
    EXPECT_EQ(ParentPath(s.path), s.parent) << s.path;
    EXPECT_EQ(FileNameOf(s.path), s.name) << s.path;
  }
}

// On Windows a narrow path is read in the ANSI code page, where these letters do not exist.
TEST(Utf8Path, ALogInAFolderOfCyrillicLettersIsWrittenAndReadBack) {
  TestDir dir;
  const std::string folder = JoinPath(dir.path(), kTest);
  std::filesystem::create_directory(Utf8Path(folder));
  NativeFileSystem fs;
  {
    LogStore store(fs, folder);
    store.LoadLog();
    store.AppendQSO(TestQso("UA1ABC"));
    store.AppendQSO(TestQso("DL1ABC"));
    // A rewrite goes through a temporary file beside the log and a rename.
    store.DeleteQSO(0);
  }
  EXPECT_TRUE(std::filesystem::exists(Utf8Path(folder) / kLogFileName));
  LogStore again(fs, folder);
  again.LoadLog();
  ASSERT_EQ(again.QSOLog().size(), 1u);
  EXPECT_EQ(again.QSOLog()[0].Call, "DL1ABC");
}

}  // namespace
}  // namespace mirva
