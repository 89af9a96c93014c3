#include "reports/adif_export.h"

#include <gtest/gtest.h>

#include "error.h"
#include "log/date_value.h"
#include "session_fixture.h"

namespace mirva {
namespace {

using namespace std::chrono;

class AdifExportTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    Setup("CQ WW DX Contest (CW)", "DL1ABC");
    TQSOData q = Qso("UA3ABC", "20", "CW", "16");
    q.QSODate = DateValueOf(year(2025) / 11 / 29);
    RawLog().AppendQSO(q);
    q.Band = "";
    RawLog().AppendQSO(q);
  }
};

TEST_F(AdifExportTest, WritesTheKindAskedForAndCountsWhatItLeftOut) {
  const sys_seconds created = sys_days(year(2025) / 11 / 30) + hours(12) + seconds(5);
  struct Case {
    AdifKind kind;
    std::vector<std::string> parts;  ///< what the file holds, among the rest
  } cases[] = {
      {AdifKind::kOwn, {"ADIF file created by Mirva", "<CALL:6>UA3ABC "}},
      {AdifKind::kStandard,
       {"<PROGRAMVERSION:3>9.9", "<CREATED_TIMESTAMP:15>20251130 120005", "<CALL:6>UA3ABC",
        "<CONTEST_ID:8>CQ-WW-CW", "<STATION_CALLSIGN:6>DL1ABC", "<EOR>"}},
  };
  for (const Case& c : cases) {
    AdifExportCount count = ExportAdif(session, c.kind, dir / "out.adi", "9.9", created);
    EXPECT_EQ(count.exported, 1u);
    EXPECT_EQ(count.left_out, 1u);
    std::string text = dir.Read("out.adi");
    for (const std::string& part : c.parts)
      EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
  }
  std::string log = dir.Read(kLogFileName);
  EXPECT_THROW(ExportAdif(session, AdifKind::kOwn, dir / kLogFileName, "9.9", created), IoError);
  EXPECT_EQ(dir.Read(kLogFileName), log);
}

}  // namespace
}  // namespace mirva
