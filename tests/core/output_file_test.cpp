#include "session/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "error.h"
#include "reports/operators.h"
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

TEST_F(OutputFileTest, RefusesEveryFileTheProgramReadsOrWrites) {
  constexpr char kTorn[] = "a partial record set aside from the log";
  constexpr char kList[] = "a domestic list";
  constexpr char kSettings[] = "a settings file of the working directory";
  struct Case {
    const char* name;
    const char* what;               ///< empty for the log's own message
    const char* guarded = nullptr;  ///< the name the message gives; null: `name` itself
  };
  const Case cases[] = {
      {"mrvtest.dat", ""},
      {"mrvtest.rec", "the log as it was before the last rescoring"},
      {"mrvtest.old", "the previous log"},
      {"mrvtest.dat.torn", kTorn},
      {"CTY.DAT", "the country file"},
      {"P-150-C.DAT", "the second country file, which one contest counts by"},
      {"Contests.mrv", "the list of contests offered"},
      {"Spain.DOM", kList},
      {"RUS.DOM", kList},
      // Not there yet, but the program may create or read them at any time.
      {"mrvtest.new", "the new log while it is written"},
      {"mrvtest.dat.torn.5", kTorn},
      {"mrvtest.lck", "the lock that keeps a second program from writing the log"},
      {"points.tbl", "the points table"},
      {"Bandplan.mrv", "the band plan"},
      {kOperatorsFileName, "the station's operators"},
      {"mirva.INI", "the entry shared with the companion programs"},
      {"loginput.ini", "the entry the companion programs fill"},
      {"Station.Ini", kSettings},
      // Letters compare without case, as the file systems of Windows and macOS do.
      {"cty.dat", "the country file", "CTY.DAT"},
      {"BANDPLAN.MRV", "the band plan", "Bandplan.mrv"},
  };
  for (const Case& c : cases) {
    const std::string path = dir / c.name;
    const bool existed = dir.Has(c.name);
    const std::string before = existed ? dir.Read(c.name) : "";
    const std::string guarded = c.guarded ? c.guarded : c.name;
    const std::string expected =
        *c.what ? "Will not write over " + path + ": it is " + guarded + ", " + c.what
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
  fsys::copy_file(dir / "CTY.DAT", elsewhere / "CTY.DAT");  // the same bytes, another file
  // A link is replaced by the report, not written through.
  elsewhere.Write("kept.all", "kept");
  fsys::create_symlink(elsewhere / "kept.all", dir / "report.all");
  const std::string cases[] = {
      dir / "old report.sum",  // replaced
      dir / "report.all",        dir / "mrvtest.dat.bak",
      dir / "sub/mrvtest.new",  // the working directory's names in another folder
      elsewhere / "mrvtest.dat", elsewhere / "CTY.DAT",   elsewhere / "operators.ini",
  };
  for (const std::string& path : cases) {
    EXPECT_EQ(Refusal(path), "") << path;
    EXPECT_EQ(fs.ReadFile(path), "report") << path;
  }
  EXPECT_EQ(dir.Read("mrvtest.dat"), kLogBytes);
  EXPECT_FALSE(fsys::is_symlink(dir / "report.all"));
  EXPECT_EQ(elsewhere.Read("kept.all"), "kept");
  for (const std::string& folder : {dir.path(), dir / "sub", elsewhere.path()}) {
    for (const auto& entry : fsys::directory_iterator(folder))
      EXPECT_FALSE(entry.path().string().ends_with(".partial")) << entry.path();
  }
}

// A disk that fills up while the report is written, or a rename that fails, leaves the
// previous report whole and no temporary file behind.
TEST_F(OutputFileTest, AFailedWriteLeavesThePreviousReport) {
  struct Case {
    const char* failing;  ///< the file-system step that fails
    bool previous;        ///< whether a report was there before
  };
  const Case cases[] = {{"write", true}, {"write", false}, {"rename", true}, {"rename", false}};
  for (const Case& c : cases) {
    const std::string where = std::string(c.failing) + (c.previous ? ", replacing" : ", new");
    fsys::remove(dir / "report.sum");
    if (c.previous)
      dir.Write("report.sum", "previous report");
    fs.before = [&c](const std::string& op, const std::string& path) {
      if (op != c.failing)
        return;
      // Half of the bytes reach the disk before it is full.
      if (op == "write")
        std::ofstream(path, std::ios::binary) << "rep";
      throw IoError("No space left on device");
    };
    EXPECT_EQ(Refusal(dir / "report.sum"),
              "Nothing was written to " + dir / "report.sum" + ": No space left on device")
        << where;
    fs.before = nullptr;
    EXPECT_EQ(dir.Has("report.sum"), c.previous) << where;
    EXPECT_EQ(c.previous ? dir.Read("report.sum") : "", c.previous ? "previous report" : "")
        << where;
    EXPECT_FALSE(dir.Has(".report.sum.partial")) << where;
  }
}

}  // namespace
}  // namespace mirva
