// Damaged reference files: the operations that score refuse a country file they cannot count
// by and change nothing, and a contest set-up tells which of its other files it went without.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "error.h"
#include "session/rescore.h"
#include "session_fixture.h"

namespace mirva {
namespace {

namespace fsys = std::filesystem;

using DamageFn = void (*)(const TestDir& in, const std::string& file);

void Remove(const TestDir& in, const std::string& file) {
  fsys::remove(in / file);
}
void Empty(const TestDir& in, const std::string& file) {
  in.Write(file, "");
}
void CutInsideLastPrefixes(const TestDir& in, const std::string& file) {
  std::string text = in.Read(file);
  in.Write(file, text.substr(0, text.rfind(';') - 2));
}
/// A folder of that name: there, but no file to read.
void Folder(const TestDir& in, const std::string& file) {
  fsys::remove(in / file);
  fsys::create_directory(in / file);
}

/// One way a reference file comes to be damaged, and what the message says of it.
struct Damage {
  const char* name;
  DamageFn apply;
  const char* fault;  ///< the message's words after the file's path
};

constexpr char kNoPrefixes[] = "holds no prefixes: it is empty or not a country file";
constexpr char kCutShort[] = "is cut short: its last country's prefixes do not end with \";\"";

const Damage kCountryDamages[] = {
    {"missing", Remove, "is missing"},
    {"empty", Empty, kNoPrefixes},
    {"cut inside the last prefix list", CutInsideLastPrefixes, kCutShort},
    {"a folder in its place", Folder, "cannot be read"},
};

class ReferenceFilesTest : public SessionTest {
 protected:
  /// Puts the undamaged country files back.
  void Restore() {
    for (const char* name : {kCountryFileName, kP150CountryFileName}) {
      fsys::remove_all(dir / name);
      dir.Write(name, ReferenceFiles().at(name));
    }
  }

  /// The message of the IoError the operation throws, or "" when it throws none.
  static std::string Refusal(const std::function<void()>& operation) {
    try {
      operation();
    } catch (const IoError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(ReferenceFilesTest, ScoringRefusesACountryFileItCannotCountBy) {
  struct Contest {
    const char* name;
    const char* file;  ///< the country file the contest counts by
  };
  const Contest contests[] = {{"CQ WW DX Contest (CW)", kCountryFileName},
                              {"CQ-M International DX Contest", kP150CountryFileName}};
  struct Operation {
    const char* name;
    std::function<void(Session&)> run;
  };
  const Operation operations[] = {
      {"save", [this](Session& s) { s.SaveQso(Qso("JA1XYZ", "20", "CW", "25")); }},
      {"rescore", [](Session& s) { s.RescoreLog(); }},
  };
  for (const Contest& contest : contests) {
    for (const Damage& damage : kCountryDamages) {
      Restore();
      Setup(contest.name, "DL1ABC");
      session.SaveQso(Qso("UA3ABC", "20", "CW", "16"));
      const std::string log = dir.Read(kLogFileName);
      const std::size_t qsos = session.log().QSOLog().size();
      const int64_t points = session.totals().TotalPoints;
      ASSERT_GT(points, 0);
      damage.apply(dir, contest.file);
      notifier.errors.clear();
      session.SetupContest(contest.name);
      const std::string expected = "The country file " + dir / contest.file + " " + damage.fault +
                                   ". No QSO can be scored without it.";
      EXPECT_EQ(session.CountryFileProblem(), expected);
      // Choosing the contest tells it first, once.
      EXPECT_EQ(
          notifier.errors,
          std::vector<std::string>{"The country file " + dir / contest.file + " " + damage.fault +
                                   ": no QSO can be logged or scored until the file is "
                                   "there and the contest is chosen again."})
          << contest.file << ", " << damage.name;
      notifier.errors.clear();
      for (const Operation& op : operations) {
        const std::string where = std::string(contest.file) + ", " + damage.name + ", " + op.name;
        EXPECT_EQ(Refusal([&] { op.run(session); }), expected) << where;
        EXPECT_EQ(dir.Read(kLogFileName), log) << where;
        EXPECT_FALSE(dir.Has(kRescoreCopyName)) << where;
        EXPECT_EQ(session.log().QSOLog().size(), qsos) << where;
        EXPECT_EQ(session.totals().TotalPoints, points) << where;
      }
    }
  }
  EXPECT_TRUE(notifier.errors.empty());
}

// A rescoring without the points table would set every stored score to 0.
TEST_F(ReferenceFilesTest, RescoringRefusesAPointsTableItCannotCountBy) {
  struct Case {
    const char* name;
    DamageFn damage;
    const char* fault;
  };
  const Case cases[] = {
      {"missing", Remove, "is missing."},
      {"a folder in its place", Folder, "cannot be read."},
      {"not numbers", [](const TestDir& in, const std::string& f) { in.Write(f, "x y z\r\n"); },
       "cannot be read: "},
  };
  Setup("VOLTA RTTY WW Contest", "DL1ABC");
  session.SaveQso(Qso("UA3ABC", "20", "RTTY", "16"));
  const std::string log = dir.Read(kLogFileName);
  for (const Case& c : cases) {
    fsys::remove_all(dir / kPointsTableFileName);
    c.damage(dir, kPointsTableFileName);
    session.SetupContest("VOLTA RTTY WW Contest");
    const std::string refusal = Refusal([&] { session.RescoreLog(); });
    EXPECT_EQ(refusal.rfind("The points table " + dir / kPointsTableFileName + " " + c.fault, 0),
              0u)
        << c.name << ": " << refusal;
    EXPECT_NE(refusal.find("so the log is not scored again"), std::string::npos) << c.name;
    EXPECT_EQ(dir.Read(kLogFileName), log) << c.name;
    EXPECT_FALSE(dir.Has(kRescoreCopyName)) << c.name;
  }
}

// Each contest counts by one country file: its set-up is silent when only the other is missing.
TEST_F(ReferenceFilesTest, SetUpIsSilentOfTheCountryFileTheContestDoesNotCountBy) {
  const std::pair<const char*, const char*> cases[] = {
      {kCountryFileName, "CQ-M International DX Contest"},
      {kP150CountryFileName, "CQ WW DX Contest (CW)"},
  };
  for (const auto& [missing, contest] : cases) {
    Restore();
    Remove(dir, missing);
    notifier.errors.clear();
    session.SetupContest(contest);
    ASSERT_EQ(notifier.errors.size(), 0u) << contest << " without " << missing;
  }
}

TEST_F(ReferenceFilesTest, SetUpTellsWhichListOrTableItWentWithout) {
  constexpr char kList[] = "domestic list";
  constexpr char kNoRegions[] = "the contest knows none of its provinces or regions";
  constexpr char kTable[] = "points table";
  constexpr char kNoPoints[] = "every QSO of this contest scores 0 points";
  struct Case {
    const char* contest;
    const char* file;
    DamageFn damage;
    const char* kind;
    const char* fault;
    const char* cost;
  };
  // The working directory starts with the domestic lists and without a points table.
  const Case cases[] = {
      {"Russian DX contest", "RUS.DOM", Remove, kList, "is missing", kNoRegions},
      {"King of Spain Contest (CW)", "Spain.DOM", Folder, kList, "cannot be read", kNoRegions},
      {"ARI International DX Contest", "ITALY.DOM", Empty, kList, "is empty", kNoRegions},
      {"VOLTA RTTY WW Contest", "points.tbl", Remove, kTable, "is missing", kNoPoints},
      {"VOLTA RTTY WW Contest", "points.tbl", Folder, kTable, "cannot be read", kNoPoints},
  };
  for (const Case& c : cases) {
    c.damage(dir, c.file);
    notifier.errors.clear();
    EXPECT_TRUE(session.SetupContest(c.contest)) << c.contest;
    const std::string expected = std::string("The ") + c.kind + " " + dir / c.file + " " + c.fault +
                                 ": " + c.cost +
                                 " until the file is there and the contest is chosen again.";
    EXPECT_EQ(notifier.errors, std::vector<std::string>{expected}) << c.contest;
    EXPECT_EQ(session.Contest().Name, c.contest);
  }
}

}  // namespace
}  // namespace mirva
