#include "log/qso_record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "log/delete_question.h"
#include "sample_qso.h"

namespace mirva {
namespace {

std::string ShortString(std::string_view text, std::size_t capacity) {
  std::string s(1 + capacity, '\0');
  s[0] = static_cast<char>(text.size());
  std::memcpy(s.data() + 1, text.data(), text.size());
  return s;
}

TEST(QsoRecord, LayoutIsByteForByte) {
  // The expected record is put together field by field from the file layout.
  std::string expected;
  expected += std::string("\x00\x00\x00\x00\x00\x76\xE6\x40", 8);  // 46000.0 as a double
  expected += ShortString("12:34", 8);
  expected += ShortString("UA3ABC", 12);
  expected += ShortString("20", 12);
  expected += ShortString("CW", 4);
  expected += ShortString("599", 10);
  expected += ShortString("001", 12);
  expected += ShortString("579", 10);
  expected += ShortString("16", 12);
  expected += ShortString("\xCF\xF0\xE8\xE2\xE5\xF2", 127);
  expected += std::string("\x03\x00\x00\x00", 4);
  expected += std::string("\xFF\xFF\xFF\xFF", 4);
  expected += std::string("\x04\x03\x02\x01", 4);
  expected += ShortString("UA 16", 10);
  expected += ShortString("UA", 10);
  expected += std::string(6, '\0');
  EXPECT_EQ(EncodeQSO(SampleQso()), expected);
  EXPECT_EQ(DecodeQSO(expected.data()), SampleQso());
}

TEST(QsoRecord, LongTextsAreCutToTheirFields) {
  TQSOData q = SampleQso();
  q.Note = std::string(200, 'n');
  q.Call = "ABCDEFGHIJKLMN";
  q.Mode = "PSK31";
  q.CountryPrefix = std::string(11, 'P');
  TQSOData back = DecodeQSO(EncodeQSO(q).data());
  EXPECT_EQ(back.Note, std::string(127, 'n'));
  EXPECT_EQ(back.CountryPrefix, std::string(10, 'P'));
  CutToFieldSizes(q);
  EXPECT_EQ(q, back);
}

TEST(QsoRecord, DamagedLengthBytesAreClampedToTheField) {
  std::string bytes(kQsoRecordSize, '\xFF');
  TQSOData q = DecodeQSO(bytes.data());
  EXPECT_EQ(q.Note.size(), 127u);
  EXPECT_EQ(q.CountryPrefix.size(), 10u);
}

TEST(QsoRecord, TheDeleteQuestionNamesTheQso) {
  const struct {
    const char* time;
    const char* call;
    const char* band;
    const char* mode;
    const char* second_line;
  } cases[] = {
      {"12:03", "K1AR", "20", "CW", "Delete QSO 12, K1AR on 20 CW at 12:03?"},
      {"23:59:30", "UA3ABC/P", "160", "SSB", "Delete QSO 12, UA3ABC/P on 160 SSB at 23:59?"},
      {"", "", "20", "", "Delete QSO 12 on 20?"},
      {"00:00", "DL1AA", "", "", "Delete QSO 12, DL1AA at 00:00?"},
  };
  for (const auto& c : cases) {
    TQSOData q;
    q.QSOTime = c.time;
    q.Call = c.call;
    q.Band = c.band;
    q.Mode = c.mode;
    EXPECT_EQ(DeleteQsoQuestion(12, q), std::string("Are you sure?\n") + c.second_line);
  }
}

}  // namespace
}  // namespace mirva
