#include <gtest/gtest.h>

#include "log/date_value.h"
#include "reports/cabrillo.h"
#include "reports/report_file.h"
#include "reports/summary.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using Lines = std::vector<std::string>;

class ReportTest : public SessionTest {
 protected:
  void Log(std::string_view band, std::string_view mode, std::string_view mark,
           PointsTriple points = {}, std::string_view time = "12:00") {
    TQSOData q = Qso("UA3ABC", band, mode, "16", time);
    q.QSODate = DateValueOf(std::chrono::year(2002) / 3 / 2);
    q.MultsText = mark;
    points.StoreIn(q);
    RawLog().AppendQSO(q);
  }
  void SetTotals(int32_t points, int32_t mults) {
    RawTotals().TotalPoints = points;
    RawTotals().TotalMults = mults;
  }
  static Lines Starting(const Lines& lines, std::initializer_list<std::string_view> prefixes) {
    Lines found;
    for (const std::string& line : lines) {
      for (std::string_view prefix : prefixes) {
        if (line.starts_with(prefix)) {
          found.push_back(line);
          break;
        }
      }
    }
    return found;
  }
  static std::string Ru(std::string_view utf8) { return Utf8ToCp1251(utf8); }
};

TEST(ReportFile, SavedAsTheCp866LinesOfThePreview) {
  EXPECT_EQ(ReportFileBytes({}), "");
  EXPECT_EQ(ReportFileBytes({"a", "", "b\nc\r\nd\re", "tail\r\n"}),
            "a\r\n\r\nb\r\nc\r\nd\r\ne\r\ntail\r\n\r\n");
  EXPECT_EQ(ReportFileBytes({"\xC0\xFF \xB7"}), "\x80\xEF \xFA\r\n");  // А я ·
}

TEST(ReportFile, NamedAfterTheCallsign) {
  const std::pair<const char*, const char*> cases[] = {
      {"DL1ABC", "DL1ABC.cbr"},
      {" R3A/P ", "R3A_P.cbr"},
      {"", "noname.cbr"},
      {"..\\x:y", "___x_y.cbr"},
  };
  for (const auto& [call, name] : cases)
    EXPECT_EQ(ReportFileName(call, "cbr"), name) << call;
}

// The filled header is compared byte for byte by the reports CLI test.
TEST_F(ReportTest, CabrilloHeaderOfAnEmptyLog) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  SetTotals(100000, 100000);
  Lines lines = BuildCabrilloLog(session, {});
  EXPECT_EQ(Lines(lines.begin() + 5, lines.begin() + 7),
            (Lines{"CATEGORY:    ", "CLAIMED-SCORE: 10000000000"}));
  EXPECT_EQ(lines.size(), 12u);
}

TEST_F(ReportTest, CabrilloAddressAndSoapboxLines) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  struct Case {
    Lines address, soapbox, expected;
  } cases[] = {
      {{}, {}, {"SOAPBOX: "}},
      {{"a", "b"},
       {"", "  "},
       {"ADDRESS: a", "ADDRESS: b", "SOAPBOX: ", "SOAPBOX:   ", "SOAPBOX: "}},
      {{}, {"Great", ""}, {"SOAPBOX: Great", "SOAPBOX: "}},
  };
  for (const Case& c : cases) {
    CabrilloHeader header;
    header.Address = c.address;
    header.Soapbox = c.soapbox;
    Lines lines = BuildCabrilloLog(session, header);
    EXPECT_EQ(Starting(lines, {"ADDRESS", "SOAPBOX"}), c.expected) << c.address.size();
  }
}

TEST_F(ReportTest, CabrilloQsoLines) {
  Setup("CQ WW DX Contest (SSB)", "DL1ABC");
  TQSOData q = Qso("K1ABC", "160", "SSB", "123456789", "05:07");
  q.QSODate = DateValueOf(std::chrono::year(2002) / 3 / 2);
  q.RprtSent = q.RprtRcvd = "59";
  q.NumberSent = "001";
  RawLog().AppendQSO(q);
  q = Qso("RS0ISS", "SAT", "CW", "16", "23:59");
  q.QSODate = DateValueOf(std::chrono::year(2002) / 3 / 2);
  q.RprtSent = q.RprtRcvd = "599";
  q.NumberSent = "15";
  RawLog().AppendQSO(q);
  Lines expected = {
      "QSO:  1800 PH 2002-03-02 0507 DL1ABC        59  001    K1ABC         59  123456789 0",
      "QSO:       CW 2002-03-02 2359 DL1ABC        599 15     RS0ISS        599 16     0"};
  CabrilloHeader header;
  header.Call = "DL1ABC";
  EXPECT_EQ(Starting(BuildCabrilloLog(session, header), {"QSO:"}), expected);
  RawContest().Contest->CabrilloFormat = 0;
  EXPECT_EQ(Starting(BuildCabrilloLog(session, {}), {"QSO:"}), Lines{});
}

TEST_F(ReportTest, AllFileShowsTheMiddleDotAsAHyphen) {
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  Log("20", "CW", "W\xB7MA -", {12});
  Lines lines = BuildAllReport(session, {});
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(lines[4].ends_with("W-MA      12")) << lines[4];
}

// CQ-M has a seventh band: its lines follow the six others, and a QSO of a band or mode the
// contest lacks is in no line.
TEST_F(ReportTest, SummaryTablePerBandAndMode) {
  Setup("CQ-M International DX Contest", "DL1ABC");
  Log("20", "CW", "UA 16", {3});
  Log("SAT", "SSB", "- 16", {1, 2, 3});
  Log("2", "CW", "UA 16", {3});
  Log("20", "FM", "UA 16", {3});
  SetTotals(12, 5);
  Lines lines = BuildSummarySheet(session, {}, 0);
  Lines expected = {
      "  160CW      0         0      0", "   20CW      1         3      2",
      "  SATCW      0         0      0", " SATSSB      1         6      1",
      "SATSSTV      0         0      0", "  Total      4        12      5 = 60 points"};
  EXPECT_EQ(Starting(lines, {"  160CW", "   20CW", "  SAT", " SAT", "SAT", "  Total"}), expected);
  EXPECT_EQ(lines.back(), "Mirva contest module");
  EXPECT_EQ(lines[lines.size() - 2], "Date : 12-30-1899");
}

TEST_F(ReportTest, VoltaCountsIntercontinentalCountriesOnFourBands) {
  Setup("VOLTA RTTY WW Contest", "DL1ABC");
  TMultArray& list = RawContest().MultList1;
  AddMult(list, "QQ");  // finds no country
  for (TMultEntry& entry : list) {
    if (entry.Name == "JA1" || entry.Name == "F" || entry.Name == "QQ")
      entry.Worked[0] = 0x0F;  // 80, 40, 20, 15
    if (entry.Name == "K1" || entry.Name == "ZS")
      entry.Worked[0] = entry.Name == "K1" ? 0x07 : 0x1B;
  }
  EXPECT_EQ(IntercontinentalCount(session), 2);  // JA1 and ZS
}

TEST_F(ReportTest, OperatorsOfTheSummarySheets) {
  ReportHeader one, five;
  for (const char* call : {"UA3A", "UA3B", "UA3C", "UA3D", "UA3E"})
    five.Operators.push_back({"N", "L", "S", call, "R"});
  one.Operators = {five.Operators[0]};
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  EXPECT_EQ(
      Starting(BuildSummarySheet(session, {}, 0), {"          Operators", "               Name"}),
      (Lines{"          Operators :", "               Name : "}));
  EXPECT_EQ(Starting(BuildSummarySheet(session, five, 0), {"          Operators"}),
            Lines{"          Operators : UA3A UA3B UA3C UA3D UA3E"});

  Setup("Чемпионат/Кубок России телефоном", "UA3ABC", "3");
  std::string label = Ru("Личный позывной:");
  EXPECT_EQ(Starting(BuildSummarySheet(session, one, 0), {label}),
            Lines{label + "      UA3A" + std::string(11 + 32, ' ')});
  EXPECT_EQ(Starting(BuildSummarySheet(session, five, 0), {label, Ru("Оператор(ы)")}),
            (Lines{label + "      UA3A            UA3B            UA3C           ",
                   Ru("Оператор(ы): UA3A UA3B UA3C UA3D UA3E ")}));
}

TEST_F(ReportTest, RussianResultsCountListedBandsButTotalEveryRecord) {
  Setup("Чемпионат/Кубок России телеграфом", "UA3ABC", "3");
  Log("20", "CW", "- -", {11, 10, 100});
  Log("2", "CW", "- -", {10, 0, 0});
  Lines lines = BuildSummarySheet(session, {}, 0);
  EXPECT_EQ(Starting(lines, {"   20", Ru("Всего"), Ru("ОБЩИЙ")}),
            (Lines{"   20          1     11", Ru("Всего:         2     21      10    100"),
                   Ru("ОБЩИЙ РЕЗУЛЬТАТ:     21 +    10 +  100 =    131 очков")}));
  EXPECT_EQ(BuildAllReport(session, {})[3],
            "Date       Band   N Mode   UTC   Callsign       Sent   Rcvd  QSO  QRA Zones");
}

}  // namespace
}  // namespace mirva
