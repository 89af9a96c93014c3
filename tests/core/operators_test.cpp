#include "reports/operators.h"

#include <gtest/gtest.h>

#include "error.h"
#include "test_dir.h"

namespace mirva {
namespace {

TOperator Op(const std::string& name, const std::string& call = "") {
  return {name, "", "", call, ""};
}

struct OperatorsTest : ::testing::Test {
  TestDir dir;
  FaultyFileSystem fs;
  std::string path = dir / kOperatorsFileName;
};

TEST_F(OperatorsTest, RoundTripKeepsOtherSectionsAndTheKeyOrder) {
  dir.Write(kOperatorsFileName, "[Station]\nCall=UA3A\n[operators]\nName5=Stale\n[Z]\nz=1\n");
  std::vector<TOperator> ops = {
      {"\xC8\xE2\xE0\xED", "\xCF\xE5\xF2\xF0\xEE\xE2", "\xC8\xE2\xE0\xED\xEE\xE2\xE8\xF7", "UA3ABC",
       "\xCC\xD1"},  // Иван Петров Иванович, МС
      {"", " Ann ", "", "R1A/P", ""},
  };
  WriteOperators(fs, path, ops);
  EXPECT_EQ(ReadOperators(fs, path), ops);
  EXPECT_EQ(dir.Read(kOperatorsFileName),
            "[Station]\r\nCall=UA3A\r\n[Z]\r\nz=1\r\n[Operators]\r\n"
            "Name0=\xC8\xE2\xE0\xED\r\nSecName0=\xC8\xE2\xE0\xED\xEE\xE2\xE8\xF7\r\n"
            "LastName0=\xCF\xE5\xF2\xF0\xEE\xE2\r\nCall0=UA3ABC\r\nSportsRank0=\xCC\xD1\r\n"
            "Name1=\r\nSecName1=\r\nLastName1=\" Ann \"\r\nCall1=R1A/P\r\nSportsRank1=\r\n");
  EXPECT_FALSE(dir.Has(std::string(".") + kOperatorsFileName + ".partial"));
}

TEST_F(OperatorsTest, ReadingStopsAtTheFirstMissingOrDashedName) {
  EXPECT_TRUE(ReadOperators(fs, path).empty());
  struct Case {
    std::string text;
    std::size_t count;
  } cases[] = {
      {"[Operators]\nName0=A\nName1=B\nName3=D\nCall3=D1D\n", 2},
      {"[Operators]\nName0=A\nName1=---\nName2=C\n", 1},
      {"[Other]\nName0=A\n", 0},
  };
  for (const Case& c : cases) {
    dir.Write(kOperatorsFileName, c.text);
    EXPECT_EQ(ReadOperators(fs, path).size(), c.count) << c.text;
  }
}

TEST_F(OperatorsTest, ValuesAreCutToTheirFields) {
  const std::string x30(30, 'x'), x20(20, 'x'), x12(12, 'x');
  WriteOperators(fs, path, {{x30, x30, x30, x30, x30}});
  EXPECT_EQ(dir.Read(kOperatorsFileName).find(x20 + "x"), std::string::npos);
  EXPECT_NE(dir.Read(kOperatorsFileName).find("Call0=" + x12 + "\r"), std::string::npos);

  dir.Write(kOperatorsFileName, "[Operators]\nName0=" + x30 + "\nSecName0=" + x30 + "\nLastName0=" +
                                    x30 + "\nCall0=" + x30 + "\nSportsRank0=" + x30 + "\n");
  EXPECT_EQ(ReadOperators(fs, path), (std::vector<TOperator>{{x20, x20, x20, x12, x20}}));
}

TEST_F(OperatorsTest, ShorterListLeavesNoStaleOperators) {
  WriteOperators(fs, path, {Op("A"), Op("B"), Op("C"), Op("D")});
  WriteOperators(fs, path, {Op("E"), Op("---", "F1F"), Op("G")});
  EXPECT_EQ(ReadOperators(fs, path), (std::vector<TOperator>{Op("E"), Op("", "F1F"), Op("G")}));
  EXPECT_EQ(dir.Read(kOperatorsFileName).find("Name3"), std::string::npos);
}

TEST_F(OperatorsTest, FailedWriteLeavesTheFileAsItWas) {
  const std::string before = "[Station]\nCall=UA3A\n[Operators]\nName0=A\n";
  dir.Write(kOperatorsFileName, before);
  fs.before = [](const std::string& op, const std::string&) {
    if (op == "rename")
      throw IoError("crash");
  };
  EXPECT_THROW(WriteOperators(fs, path, {Op("B")}), IoError);
  EXPECT_EQ(dir.Read(kOperatorsFileName), before);

  fs.before = nullptr;
  fs.unreadable = true;
  EXPECT_THROW(WriteOperators(fs, path, {Op("B")}), IoError);
  EXPECT_EQ(dir.Read(kOperatorsFileName), before);
}

TEST(OperatorLine, TrimsAndJoinsTheFields) {
  struct Case {
    TOperator op;
    std::string_view line;
  } cases[] = {
      {{" Ivan ", "Petrov", " I. ", "UA3ABC ", "MS"}, "UA3ABC Ivan I. Petrov"},
      {{"Ann", "", "  ", "", ""}, "Ann"},
      {{"", "Smith", "", "W1AW", ""}, "W1AW   Smith"},  // a blank for each empty field between
      {{}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OperatorLine(c.op), c.line);
}

}  // namespace
}  // namespace mirva
