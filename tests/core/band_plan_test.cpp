#include "reference/band_plan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

constexpr char kInitialText[] =
    "\tStart freq\tEnd freq\tCW\tSSB\tDIGI\t\r\n"
    "160\t\t\t\t\t\t\r\n80\t\t\t\t\t\t\r\n40\t\t\t\t\t\t\r\n"
    "20\t\t\t\t\t\t\r\n15\t\t\t\t\t\t\r\n10\t\t\t\t\t\t\r\n";

/// The grid's rows, each cell followed by "|", the rows joined by "/".
std::string Shape(const BandPlan& plan) {
  std::string shape;
  for (std::size_t r = 0; r < plan.Rows(); ++r) {
    for (std::size_t c = 0; c < plan.Columns(); ++c)
      shape += plan.Cell(c, r) + "|";
    shape += "/";
  }
  return shape;
}

TEST(BandPlanText, TheTwentyMetreRowIsTheFifthLineAndReadsBack) {
  BandPlan plan = InitialBandPlan();
  EXPECT_EQ(BandPlanText(plan), kInitialText);
  const char* values[] = {"14000", "14350", "14000", "14100", "14070"};
  for (std::size_t c = 0; c < std::size(values); ++c)
    plan.SetCell(c + 1, 4, values[c]);
  std::string expected = kInitialText;
  expected.replace(expected.find("\r\n20\t") + 2, 8, "20\t14000\t14350\t14000\t14100\t14070\t");
  const std::string text = BandPlanText(plan);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(ParseBandPlan(text), plan);
  plan.SetCell(8, 10, "WARC \xE0");  // a grown grid with a Cyrillic letter reads back too
  EXPECT_EQ(ParseBandPlan(BandPlanText(plan)), plan);
}

TEST(ParseBandPlan, CellsLineEndsAndGrowth) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string shape;  ///< of the grid; only the first rows when `rows` says more
    std::size_t columns;
    std::size_t rows;
  };
  const std::string initial = Shape(InitialBandPlan());
  const Case cases[] = {
      {"nothing keeps the initial grid", "", initial, 6, 7},
      {"a last piece without a TAB is a cell, and fewer rows keep the rest", "a\tb\tc",
       "a|b|c|CW|SSB|DIGI|/160||||||/", 6, 7},
      {"LF, CR and CR LF each end a line", "a\nb\rc\r\nd\t",
       "a|Start freq|End freq|CW|SSB|DIGI|/"
       "b||||||/c||||||/d||||||/",
       6, 7},
      {"an empty line is a row with no cells", "\r\n\r\nx\t",
       "|Start freq|End freq|CW|SSB|DIGI|/"
       "160||||||/x||||||/",
       6, 7},
      {"two TABs give an empty cell", "\t\tz\t", "||z|CW|SSB|DIGI|/", 6, 7},
  };
  for (const Case& c : cases) {
    std::optional<BandPlan> plan = ParseBandPlan(c.bytes);
    ASSERT_TRUE(plan) << c.name;
    EXPECT_EQ(plan->Columns(), c.columns) << c.name;
    EXPECT_EQ(plan->Rows(), c.rows) << c.name;
    EXPECT_EQ(Shape(*plan).substr(0, c.shape.size()), c.shape) << c.name;
  }
}

TEST(ParseBandPlan, AGridPastItsLimitsIsNotRead) {
  const std::string wide(BandPlan::kMaxColumns, '\t');
  const std::string tall(BandPlan::kMaxRows - 1, '\n');
  EXPECT_EQ(ParseBandPlan(wide)->Columns(), BandPlan::kMaxColumns);
  EXPECT_FALSE(ParseBandPlan(wide + "x"));
  EXPECT_EQ(ParseBandPlan(tall + "x")->Rows(), BandPlan::kMaxRows);
  EXPECT_FALSE(ParseBandPlan(tall + "\nx"));
  // Empty lines past the limit add no row.
  EXPECT_TRUE(ParseBandPlan("x" + tall + std::string(10, '\n')));
}

TEST(BandPlanCell, SeparatorsOfTheFileBecomeBlanks) {
  BandPlan plan = InitialBandPlan();
  plan.SetCell(1, 1, "1\t2\r3\n4\r\n");
  EXPECT_EQ(plan.Cell(1, 1), "1 2 3 4  ");
  EXPECT_EQ(plan.Cell(40, 40), "");
  EXPECT_EQ(plan.Columns(), 6u);
}

struct BandPlanFileTest : ::testing::Test {
  TestDir dir;
  FaultyFileSystem fs;
  std::string path = dir / kBandPlanFileName;
};

TEST_F(BandPlanFileTest, AnUnreadableFileGivesTheInitialGrid) {
  fs.unreadable = true;
  dir.Write(kBandPlanFileName, "x\t");
  EXPECT_EQ(ReadBandPlan(fs, path), InitialBandPlan());
}

TEST_F(BandPlanFileTest, ReadingAndWritingMeetInOneFileWhateverItsCase) {
  struct Case {
    std::vector<const char*> existing;
    const char* used;
  };
  const Case cases[] = {
      {{}, "Bandplan.mrv"},
      {{"bandplan.mrv"}, "bandplan.mrv"},
      {{"BANDPLAN.MRV", "bandplan.mrv"}, "BANDPLAN.MRV"},
      {{"bandplan.mrv", "Bandplan.mrv"}, "Bandplan.mrv"},
  };
  for (const Case& c : cases) {
    TestDir here;
    for (const char* name : c.existing)
      here.Write(name, std::string(name) + "\t");
    const std::string wanted = here / kBandPlanFileName;
    EXPECT_EQ(BandPlanPath(fs, wanted), here / c.used);
    BandPlan plan = ReadBandPlan(fs, wanted);
    EXPECT_EQ(plan.Cell(0, 0), c.existing.empty() ? "" : c.used);
    plan.SetCell(1, 1, "1810");
    WriteBandPlan(fs, wanted, plan);
    EXPECT_EQ(here.Read(c.used), BandPlanText(plan)) << c.used;
    std::size_t files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(here.path()))
      ++files;
    EXPECT_EQ(files, std::max<std::size_t>(c.existing.size(), 1)) << c.used;
  }
}

TEST_F(BandPlanFileTest, AFailedWriteLeavesTheFileAsItWas) {
  dir.Write(kBandPlanFileName, "old\t");
  BandPlan plan = InitialBandPlan();
  for (const char* op : {"write", "rename"}) {
    fs.Reset();
    fs.Fail(op, 1, Strike::kPart);
    EXPECT_THROW(WriteBandPlan(fs, path, plan), IoError) << op;
    EXPECT_EQ(dir.Read(kBandPlanFileName), "old\t") << op;
    EXPECT_FALSE(dir.Has(".Bandplan.mrv.partial")) << op;
  }
}

TEST_F(BandPlanFileTest, ALinkStaysAndItsFileIsReplaced) {
  TestDir elsewhere;
  elsewhere.Write("plan.txt", "old\t");
  std::filesystem::create_symlink(elsewhere / "plan.txt", path);
  EXPECT_EQ(ReadBandPlan(fs, path).Cell(0, 0), "old");
  WriteBandPlan(fs, path, InitialBandPlan());
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(elsewhere.Read("plan.txt"), kInitialText);
}

}  // namespace
}  // namespace mirva
