#include "reports/adif.h"

#include <gtest/gtest.h>

#include "sample_qso.h"

namespace mirva {
namespace {

constexpr char kHeader[] = "ADIF file created by Mirva contest mode\r\n<EOH>\r\n";
// The sample QSO; its Cyrillic note counts one byte a letter.
constexpr char kSample[] =
    "<QSO_DATE:8>20251209 <TIME_ON:4>1234 <CALL:6>UA3ABC <BAND:2>20 <MODE:2>CW <RST_SENT:3>599 "
    "<RST_RCVD:3>579 <COMMENT:33>Sent #599 001 Rcvd #579 16 \xCF\xF0\xE8\xE2\xE5\xF2 <EOR>\r\n";

TEST(Adif, EmptyLogIsTheHeaderOnly) {
  EXPECT_EQ(AdifText({}), kHeader);
}

// Each change turns `from` in the sample's record into `to`.
TEST(Adif, RecordFields) {
  struct Case {
    void (*change)(TQSOData&);
    std::string from, to;
  } cases[] = {
      {[](TQSOData&) {}, "", ""},
      {[](TQSOData& q) { q.RprtRcvd = " "; }, "<RST_RCVD:3>579 <COMMENT:33>Sent #599 001 Rcvd #579",
       "<COMMENT:31>Sent #599 001 Rcvd # "},
      {[](TQSOData& q) { q.Call = "UA3ABC "; }, "<CALL:6>UA3ABC", "<CALL:7>UA3ABC "},
      {[](TQSOData& q) { q.QSOTime = "7"; }, "<TIME_ON:4>1234", "<TIME_ON:1>7"},
      {[](TQSOData& q) { q.QSOTime = "07:"; }, "<TIME_ON:4>1234", "<TIME_ON:2>07"},
      {[](TQSOData& q) { q.QSOTime = "07:0"; }, "<TIME_ON:4>1234", "<TIME_ON:3>070"},
  };
  for (const Case& c : cases) {
    TQSOData q = SampleQso();
    c.change(q);
    std::string record = kSample;
    record.replace(record.find(c.from), c.from.size(), c.to);
    EXPECT_EQ(AdifText({q}), kHeader + record) << c.to;
  }
}

TEST(Adif, QsosWithoutTheNeededFieldsAreLeftOut) {
  void (*changes[])(TQSOData&) = {
      [](TQSOData& q) { q.Call = ""; },    [](TQSOData& q) { q.Call = "  "; },
      [](TQSOData& q) { q.Band = " "; },   [](TQSOData& q) { q.Mode = ""; },
      [](TQSOData& q) { q.QSOTime = ""; }, [](TQSOData& q) { q.QSOTime = "  :  "; },
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    TQSOData left_out = SampleQso();
    changes[i](left_out);
    EXPECT_EQ(AdifText({SampleQso(), left_out, SampleQso()}),
              std::string(kHeader) + kSample + kSample)
        << "change " << i;
  }
}

}  // namespace
}  // namespace mirva
