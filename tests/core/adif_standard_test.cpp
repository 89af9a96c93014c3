#include "reports/adif_standard.h"

#include <gtest/gtest.h>

#include "sample_qso.h"

namespace mirva {
namespace {

using namespace std::chrono;

constexpr char kHeader[] =
    "ADIF export of Mirva contest module\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:20>Mirva contest module "
    "<PROGRAMVERSION:3>9.8 <CREATED_TIMESTAMP:15>20251209 070509 <EOH>\r\n";
// The sample QSO: its exchanges are numbers.
constexpr char kSample[] =
    "<CALL:6>UA3ABC <QSO_DATE:8>20251209 <TIME_ON:4>1234 <BAND:3>20m <MODE:2>CW "
    "<CONTEST_ID:8>CQ-WW-CW <RST_SENT:3>599 <RST_RCVD:3>579 <STX:3>001 <SRX:2>16 "
    "<STATION_CALLSIGN:6>DL1ABC <COMMENT:6>\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
    "<EOR>\r\n";

StandardAdifSource Source(std::string contest = "CQ WW DX Contest (CW)") {
  return {"9.8", sys_days(year(2025) / 12 / 9) + hours(7) + minutes(5) + seconds(9),
          std::move(contest), "DL1ABC"};
}

std::string TextOf(const TQSOData& q, const StandardAdifSource& source = Source()) {
  return StandardAdifText(TQSODataArr{q}, source);
}

TEST(StandardAdif, HeaderAndOneRecord) {
  EXPECT_EQ(StandardAdifText(TQSODataArr{}, Source()), kHeader);
  EXPECT_EQ(TextOf(SampleQso()), std::string(kHeader) + kSample);
}

// Each change turns `from` in the sample's record into `to`; cli/adif_standard.sh reads back
// the sideband, a text exchange, a missing report and notes.
TEST(StandardAdif, RecordFields) {
  struct Case {
    void (*change)(TQSOData&);
    std::string from, to;
  } cases[] = {
      {[](TQSOData& q) {
         q.Mode = "SSB";
         q.Band = "SAT";
       },
       "<BAND:3>20m <MODE:2>CW", "<PROP_MODE:3>SAT <MODE:3>SSB"},
      {[](TQSOData& q) { q.Mode = "RTTY"; }, "<MODE:2>CW", "<MODE:4>RTTY"},
      // ADIF has no mode for the log's catch-all data mode.
      {[](TQSOData& q) { q.Mode = "DIGI"; }, "<MODE:2>CW ", ""},
      {[](TQSOData& q) { q.NumberSent = "14A"; }, "<STX:3>001", "<STX_STRING:3>14A"},
      {[](TQSOData& q) { q.NumberSent = " "; }, "<STX:3>001 ", ""},
      {[](TQSOData& q) { q.Call = " UA3ABC "; }, "", ""},
  };
  for (const Case& c : cases) {
    TQSOData q = SampleQso();
    c.change(q);
    std::string record = kSample;
    record.replace(record.find(c.from), c.from.size(), c.to);
    EXPECT_EQ(TextOf(q), kHeader + record) << c.to;
  }
}

}  // namespace
}  // namespace mirva
