#include "workspace/default_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

TEST(DefaultWorkingDirectory, TheCurrentOneOnlyWhenItHoldsACatalogueOrALog) {
  struct Case {
    const char* file;
    bool current;
  };
  const Case cases[] = {{"Contests.mrv", true},
                        {"mrvtest.dat", true},
                        {nullptr, false},
                        {"notes.txt", false},
                        {"CTY.DAT", false}};
  for (const Case& c : cases) {
    TestDir current;
    if (c.file)
      current.Write(c.file, "x");
    NativeFileSystem fs;
    EXPECT_EQ(DefaultWorkingDirectory(fs, current.path(), "/own"),
              c.current ? current.path() : "/own")
        << (c.file ? c.file : "empty");
  }
}

/// A program's installed reference files, the system's country files and a working directory.
class FillWorkingDirectoryTest : public ::testing::Test {
 protected:
  TestDir shipped, system, work;
  FaultyFileSystem fs;
  ReferenceSources from;

  void SetUp() override {
    shipped.Write("Contests.mrv", "CQ WW DX Contest (CW)\r\n");
    shipped.Write("RUS.DOM", "3M YR\r\n");
    shipped.Write("README.md", "# about the lists\n");
    shipped.Write(".gitattributes", "* -text\n");
    system.Write("cty.dat", "Germany: 14: 28: EU: 51.00: -10.00: -1.0: DL:\n    DL;\n");
    system.Write("MASTER.SCP", "DL1ABC\n");
    from.shipped = shipped.path();
    from.system = system.path();
  }
};

TEST_F(FillWorkingDirectoryTest, ANewDirectoryGetsEveryShippedFileAndTheCountryFiles) {
  std::vector<std::string> told = FillWorkingDirectory(fs, work.path(), from);
  ASSERT_EQ(told.size(), 3u);
  EXPECT_EQ(told[0], "New working directory " + work.path() + " prepared from " + shipped.path());
  EXPECT_EQ(told[1], "Country file copied to " + (work / "CTY.DAT"));
  EXPECT_EQ(told[2], "Master call list copied to " + (work / "MASTER.SCP"));
  EXPECT_EQ(work.Read("Contests.mrv"), shipped.Read("Contests.mrv"));
  EXPECT_EQ(work.Read("RUS.DOM"), shipped.Read("RUS.DOM"));
  EXPECT_EQ(work.Read("CTY.DAT"), system.Read("cty.dat"));
  EXPECT_EQ(work.Read("MASTER.SCP"), system.Read("MASTER.SCP"));
  EXPECT_FALSE(work.Has("README.md"));
  EXPECT_FALSE(work.Has(".gitattributes"));
  EXPECT_TRUE(FillWorkingDirectory(fs, work.path(), from).empty());
}

TEST_F(FillWorkingDirectoryTest, ADirectoryInUseKeepsItsFilesAndGetsOnlyWhatItLacks) {
  work.Write("mrvtest.dat", "");
  work.Write("CTY.DAT", "the operator's newer file");
  std::vector<std::string> told = FillWorkingDirectory(fs, work.path(), from);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], "Master call list copied to " + (work / "MASTER.SCP"));
  EXPECT_EQ(work.Read("CTY.DAT"), "the operator's newer file");
  EXPECT_FALSE(work.Has("Contests.mrv"));
}

TEST_F(FillWorkingDirectoryTest, MissingSourcesGiveNothing) {
  from.shipped = shipped / "absent";
  from.system = "";
  EXPECT_TRUE(FillWorkingDirectory(fs, work.path(), from).empty());
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST_F(FillWorkingDirectoryTest, AFailedCopyLeavesNoPartOfTheFileAndNamesIt) {
  fs.Fail("write", 3, Strike::kPart);  // the country file, after the two shipped lists
  try {
    FillWorkingDirectory(fs, work.path(), from);
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find(work / "CTY.DAT"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(work.Has("CTY.DAT"));
  EXPECT_EQ(work.Read("RUS.DOM"), shipped.Read("RUS.DOM"));
  EXPECT_EQ(FillWorkingDirectory(fs, work.path(), from).size(), 2u);
  EXPECT_EQ(work.Read("CTY.DAT"), system.Read("cty.dat"));
}

}  // namespace
}  // namespace mirva
