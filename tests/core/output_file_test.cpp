#include "session/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "error.h"
#include "session_fixture.h"

namespace mirva {
namespace {

namespace fsys = std::filesystem;

constexpr char kLogBytes[] = "the log's records";

class OutputFileTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    dir.Write("mrvtest.dat", kLogBytes);
    dir.Write("mrvtest.rec", "rec");
    dir.Write("mrvtest.old", "old");
    dir.Write("mrvtest.dat.torn", "torn");
    dir.Write("mrvtest.dat.torn.2", "torn 2");
  }

  /// The message WriteOutputFile refuses the path with, or "" when it writes the file.
  std::string Refusal(const std::string& path) {
    try {
      WriteOutputFile(session, path, "report");
    } catch (const IoError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(OutputFileTest, RefusesTheLogAndTheFilesThatKeepItSafe) {
  struct Case {
    const char* name;
    const char* what;  ///< empty for the log's own message
  };
  const Case cases[] = {
      {"mrvtest.dat", ""},
      {"mrvtest.rec", "the log as it was before the last rescoring"},
      {"mrvtest.old", "the previous log"},
      {"mrvtest.dat.torn", "a partial record set aside from the log"},
      {"mrvtest.dat.torn.2", "a partial record set aside from the log"},
      // Not there yet, but the log store may create them at any time.
      {"mrvtest.new", "the new log while it is written"},
      {"mrvtest.dat.torn.5", "a partial record set aside from the log"},
  };
  for (const Case& c : cases) {
    const std::string path = dir / c.name;
    const bool existed = dir.Has(c.name);
    const std::string before = existed ? dir.Read(c.name) : "";
    const std::string expected =
        *c.what ? "Will not write over " + path + ": it is " + c.name + ", " + c.what
                : "Will not write over the log " + path;
    EXPECT_EQ(Refusal(path), expected) << c.name;
    EXPECT_EQ(dir.Has(c.name), existed) << c.name;
    EXPECT_EQ(existed ? dir.Read(c.name) : "", before) << c.name;
  }
}

TEST_F(OutputFileTest, RefusesOtherWaysToTheSameFiles) {
  TestDir elsewhere;
  fsys::create_directory(dir / "sub");
  fsys::create_symlink(dir / "mrvtest.dat", elsewhere / "log-link.adi");
  fsys::create_hard_link(dir / "mrvtest.dat", elsewhere / "log-hard.adi");
  fsys::create_hard_link(dir / "mrvtest.old", elsewhere / "old-hard.adi");
  fsys::create_hard_link(dir / "mrvtest.dat.torn.2", elsewhere / "torn-hard.adi");
  fsys::create_directory_symlink(dir.path(), elsewhere / "wd");
  struct Case {
    const char* name;
    std::string path;
    const char* names;  ///< the guarded file the message must name
  };
  const Case cases[] = {
      {"symbolic link to the log", elsewhere / "log-link.adi", "the log"},
      {"hard link to the log", elsewhere / "log-hard.adi", "the log"},
      {"hard link to the backup", elsewhere / "old-hard.adi", "mrvtest.old"},
      {"hard link to a torn-tail copy", elsewhere / "torn-hard.adi", "mrvtest.dat.torn.2"},
      {"through ..", dir / "sub/../mrvtest.dat", "the log"},
      {"through . and a doubled slash", dir.path() + "/.//mrvtest.rec", "mrvtest.rec"},
      {"a file not there yet, through ..", dir / "sub/../mrvtest.new", "mrvtest.new"},
      {"a file not there yet, through a linked folder", elsewhere / "wd/mrvtest.new",
       "mrvtest.new"},
      {"relative to the current folder", fsys::relative(dir / "mrvtest.new").string(),
       "mrvtest.new"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(Refusal(c.path).find(c.names), std::string::npos) << c.name << ": " << c.path;
  }
  EXPECT_EQ(dir.Read("mrvtest.dat"), kLogBytes);
  EXPECT_FALSE(dir.Has("mrvtest.new"));
}

TEST_F(OutputFileTest, WritesEveryOtherFile) {
  TestDir elsewhere;
  fsys::create_directory(dir / "sub");
  dir.Write("old report.sum", std::string(100, 'x'));
  const std::string cases[] = {
      dir / "old report.sum",  // overwritten
      dir / "mrvtest.dat.bak",
      dir / "sub/mrvtest.new",  // the log's names in another folder
      elsewhere / "mrvtest.dat",
  };
  for (const std::string& path : cases) {
    EXPECT_EQ(Refusal(path), "") << path;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "report") << path;
  }
  EXPECT_EQ(dir.Read("mrvtest.dat"), kLogBytes);
}

TEST(SameFile, ComparesFilesOnDisk) {
  TestDir dir;
  PosixFileSystem fs;
  dir.Write("a", "a");
  dir.Write("b", "a");
  fsys::create_hard_link(dir / "a", dir / "hard");
  fsys::create_symlink(dir / "none", dir / "dangling");
  fsys::create_directory(dir / "sub");
  struct Case {
    std::string a;
    std::string b;
    bool same;
  };
  const Case cases[] = {
      {dir / "a", dir / "hard", true},     {dir / "sub/..", dir.path(), true},
      {dir / "a", dir / "b", false},  // equal bytes, another file
      {dir / "none", dir / "none", false}, {dir / "dangling", dir / "none", false},
      {dir / "a", dir / "none", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fs.SameFile(c.a, c.b), c.same) << c.a << " " << c.b;
}

}  // namespace
}  // namespace mirva
