#include "reports/cabrillo_check.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

class CabrilloCheckTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    Setup("CQ WW DX Contest (CW)", "DL1ABC");
  }

  /// Two QSOs a robot takes: exchanges both ways, the contest's band and mode, in time order.
  std::vector<TQSOData> CleanLog() const {
    std::vector<TQSOData> log;
    for (const auto& [call, band, time, rcvd] :
         {std::tuple{"UA3ABC", "20", "12:00", "16"}, {"JA1XYZ", "40", "12:05", "25"}}) {
      TQSOData q = Qso(call, band, "CW", rcvd, time);
      q.QSODate = 46000;
      q.RprtSent = q.RprtRcvd = "599";
      q.NumberSent = "14";
      log.push_back(q);
    }
    return log;
  }

  static CabrilloHeader FullHeader() {
    CabrilloHeader header;
    header.Call = "DL1ABC";
    header.CategoryOperator = "SINGLE-OP";
    header.CategoryBand = "ALL";
    header.CategoryPower = "LOW";
    header.CategoryMode = "CW";
    return header;
  }

  std::vector<std::string> Lines(const CabrilloHeader& header,
                                 CabrilloVersion version = CabrilloVersion::k2) const {
    std::vector<std::string> lines;
    for (const CabrilloProblem& problem : CheckCabrilloLog(session, header, version))
      lines.push_back(Cp1251ToUtf8(CabrilloProblemLine(problem)));
    return lines;
  }
};

TEST_F(CabrilloCheckTest, ACleanLogHasNoProblemInEitherVersion) {
  session.AppendRecords(CleanLog());
  EXPECT_EQ(Lines(FullHeader()), std::vector<std::string>{});
  EXPECT_EQ(Lines(FullHeader(), CabrilloVersion::k3), std::vector<std::string>{});
}

// One field of the second QSO spoilt at a time: each is told once, with the QSO's number.
TEST_F(CabrilloCheckTest, TellsEachQsoProblemWithItsNumber) {
  struct Case {
    std::string TQSOData::*field;
    const char* value;
    const char* told;
  } cases[] = {
      {&TQSOData::NumberRcvd, "", "QSO 2: received exchange is empty"},
      {&TQSOData::NumberRcvd, "  ", "QSO 2: received exchange is empty"},
      {&TQSOData::NumberSent, " ", "QSO 2: sent exchange is empty"},
      {&TQSOData::NumberRcvd, "41",
       "QSO 2: '41' is not one of this contest's CQ zones (01 to 40): it counts no multiplier"},
      {&TQSOData::Band, "30",
       "QSO 2: band 30 is not one of this contest's bands (160 80 40 20 15 10)"},
      {&TQSOData::Mode, "SSB", "QSO 2: mode SSB is not one of this contest's modes (CW)"},
      {&TQSOData::QSOTime, "11:59",
       "QSO 2: logged at 2025-12-09 11:59, before QSO 1 at 2025-12-09 12:00"},
  };
  for (const Case& c : cases) {
    session.ClearLog();
    std::vector<TQSOData> log = CleanLog();
    log[1].*c.field = c.value;
    session.AppendRecords(log);
    EXPECT_EQ(Lines(FullHeader()), std::vector<std::string>{c.told}) << c.told;
  }
}

TEST_F(CabrilloCheckTest, ADayEarlierIsBeforeWhateverItsTime) {
  std::vector<TQSOData> log = CleanLog();
  log[1].QSODate = 45999;
  log[1].QSOTime = "23:59";
  session.AppendRecords(log);
  EXPECT_EQ(Lines(FullHeader()),
            std::vector<std::string>{
                "QSO 2: logged at 2025-12-08 23:59, before QSO 1 at 2025-12-09 12:00"});
}

// 2.0 reads its category words by position; 3.0 has a tag for each, the power taken from a
// portable QRP operator category as the writer takes it.
TEST_F(CabrilloCheckTest, TellsABlankCallsignOrCategoryTheVersionNeeds) {
  struct Case {
    CabrilloVersion version;
    std::string CabrilloHeader::*field;
    const char* value;
    const char* told;  // empty: none
  } cases[] = {
      {CabrilloVersion::k2, &CabrilloHeader::Call, " ", "Header: CALLSIGN is empty"},
      {CabrilloVersion::k3, &CabrilloHeader::Call, "", "Header: CALLSIGN is empty"},
      {CabrilloVersion::k2, &CabrilloHeader::CategoryOperator, "",
       "Header: the operator category of CATEGORY is empty"},
      {CabrilloVersion::k2, &CabrilloHeader::CategoryBand, "",
       "Header: the band category of CATEGORY is empty"},
      {CabrilloVersion::k2, &CabrilloHeader::CategoryPower, "",
       "Header: the power category of CATEGORY is empty"},
      {CabrilloVersion::k2, &CabrilloHeader::CategoryMode, "", ""},
      {CabrilloVersion::k3, &CabrilloHeader::CategoryOperator, "",
       "Header: CATEGORY-OPERATOR is empty"},
      {CabrilloVersion::k3, &CabrilloHeader::CategoryBand, "", "Header: CATEGORY-BAND is empty"},
      {CabrilloVersion::k3, &CabrilloHeader::CategoryMode, "", "Header: CATEGORY-MODE is empty"},
      {CabrilloVersion::k3, &CabrilloHeader::CategoryPower, "", "Header: CATEGORY-POWER is empty"},
  };
  for (const Case& c : cases) {
    CabrilloHeader header = FullHeader();
    header.*c.field = c.value;
    std::vector<std::string> expected;
    if (*c.told)
      expected.push_back(c.told);
    EXPECT_EQ(Lines(header, c.version), expected) << c.told;
  }
  CabrilloHeader portable = FullHeader();
  portable.CategoryOperator = "SINGLE-OP-QRP-PORTABLE";
  portable.CategoryPower = "";
  EXPECT_EQ(Lines(portable, CabrilloVersion::k3), std::vector<std::string>{});
}

TEST_F(CabrilloCheckTest, HeaderFirstThenTheLogInOrder) {
  std::vector<TQSOData> log = CleanLog();
  log[0].NumberRcvd = "";
  log[1].Band = "30";
  log[1].NumberSent = "";
  session.AppendRecords(log);
  CabrilloHeader header = FullHeader();
  header.Call = "";
  EXPECT_EQ(Lines(header),
            (std::vector<std::string>{
                "Header: CALLSIGN is empty",
                "QSO 1: received exchange is empty",
                "QSO 2: sent exchange is empty",
                "QSO 2: band 30 is not one of this contest's bands (160 80 40 20 15 10)",
            }));
  EXPECT_EQ(CabrilloProblemCount(1), "1 problem found");
  EXPECT_EQ(CabrilloProblemCount(4), "4 problems found");
}

}  // namespace
}  // namespace mirva
