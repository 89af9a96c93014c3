#include "reports/adif.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

constexpr char kHeader[] = "ADIF file created by Mirva contest mode\r\n<EOH>\r\n";
constexpr char kFirst[] =
    "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW <RST_SENT:3>599 "
    "<RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n";
constexpr char kSecond[] =
    "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:4>K1AB <BAND:2>20 <MODE:2>CW <RST_SENT:3>599 "
    "<RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n";

TQSOData Qso(const char* call) {
  TQSOData q;
  q.QSODate = 37320;  // 2002-03-05
  q.QSOTime = "07:09";
  q.Call = call;
  q.Band = "20";
  q.Mode = "CW";
  q.RprtSent = "599";
  q.NumberSent = "001";
  q.RprtRcvd = "599";
  q.NumberRcvd = "015";
  return q;
}

TEST(Adif, EmptyLogIsTheHeaderOnly) {
  EXPECT_EQ(AdifText({}), kHeader);
}

TEST(Adif, RecordFields) {
  struct Case {
    const char* name;
    void (*change)(TQSOData&);
    const char* record;
  } cases[] = {
      {"as logged", [](TQSOData&) {}, kFirst},
      {"no sent report: no field, the comment keeps its place",
       [](TQSOData& q) { q.RprtSent = ""; },
       "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_RCVD:3>599 <COMMENT:25>Sent # 001 Rcvd #599 015  <EOR>\r\n"},
      {"blank received report: no field, the blank in the comment",
       [](TQSOData& q) { q.RprtRcvd = " "; },
       "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <COMMENT:26>Sent #599 001 Rcvd #  015  <EOR>\r\n"},
      {"Cyrillic note and markup counted in bytes",
       [](TQSOData& q) { q.Note = "\xCF\xF0\xE8\xE2\xE5\xF2 <EOR>"; },
       "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <RST_RCVD:3>599 "
       "<COMMENT:40>Sent #599 001 Rcvd #599 015 \xCF\xF0\xE8\xE2\xE5\xF2 <EOR> <EOR>\r\n"},
      {"values not trimmed", [](TQSOData& q) { q.Call = "UA3AB "; },
       "<QSO_DATE:8>20020305 <TIME_ON:4>0709 <CALL:6>UA3AB  <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n"},
      {"time of one character", [](TQSOData& q) { q.QSOTime = "7"; },
       "<QSO_DATE:8>20020305 <TIME_ON:1>7 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n"},
      {"time ending at the colon", [](TQSOData& q) { q.QSOTime = "07:"; },
       "<QSO_DATE:8>20020305 <TIME_ON:2>07 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n"},
      {"time with one minute digit", [](TQSOData& q) { q.QSOTime = "07:0"; },
       "<QSO_DATE:8>20020305 <TIME_ON:3>070 <CALL:5>UA3AB <BAND:2>20 <MODE:2>CW "
       "<RST_SENT:3>599 <RST_RCVD:3>599 <COMMENT:28>Sent #599 001 Rcvd #599 015  <EOR>\r\n"},
  };
  for (const Case& c : cases) {
    TQSOData q = Qso("UA3AB");
    c.change(q);
    EXPECT_EQ(AdifText({q}), std::string(kHeader) + c.record) << c.name;
  }
}

TEST(Adif, QsosWithoutTheNeededFieldsAreLeftOut) {
  struct Case {
    const char* name;
    void (*change)(TQSOData&);
  } cases[] = {
      {"no callsign", [](TQSOData& q) { q.Call = ""; }},
      {"blank callsign", [](TQSOData& q) { q.Call = "  "; }},
      {"blank band", [](TQSOData& q) { q.Band = " "; }},
      {"no mode", [](TQSOData& q) { q.Mode = ""; }},
      {"no time", [](TQSOData& q) { q.QSOTime = ""; }},
      {"blank time digits", [](TQSOData& q) { q.QSOTime = "  :  "; }},
  };
  for (const Case& c : cases) {
    TQSOData left_out = Qso("UA3XX");
    c.change(left_out);
    EXPECT_EQ(AdifText({Qso("UA3AB"), left_out, Qso("K1AB")}),
              std::string(kHeader) + kFirst + kSecond)
        << c.name;
  }
}

}  // namespace
}  // namespace mirva
