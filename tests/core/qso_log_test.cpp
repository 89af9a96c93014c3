#include "log/qso_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "posix_file_system.h"
#include "test_dir.h"

#include "sample_qso.h"

namespace mirva {
namespace {

void ExpectViewAgreesWithDecode(const char* bytes) {
  QsoRecordView v(bytes);
  TQSOData q = DecodeQSO(bytes);
  EXPECT_EQ(v.QSOTime(), q.QSOTime);
  EXPECT_EQ(v.Call(), q.Call);
  EXPECT_EQ(v.Band(), q.Band);
  EXPECT_EQ(v.Mode(), q.Mode);
  EXPECT_EQ(v.RprtSent(), q.RprtSent);
  EXPECT_EQ(v.NumberSent(), q.NumberSent);
  EXPECT_EQ(v.RprtRcvd(), q.RprtRcvd);
  EXPECT_EQ(v.NumberRcvd(), q.NumberRcvd);
  EXPECT_EQ(v.Note(), q.Note);
  EXPECT_EQ(v.MultsText(), q.MultsText);
  EXPECT_EQ(v.CountryPrefix(), q.CountryPrefix);
  EXPECT_EQ(v.Points(), q.Points);
  EXPECT_EQ(v.Points2(), q.Points2);
  EXPECT_EQ(v.Points3(), q.Points3);
  EXPECT_EQ(v.Decode(), q);
}

// A length byte past its field must give the same text in place as decoded: the field's
// capacity, never bytes of the next field.
TEST(QsoRecordView, AgreesWithDecodeWhatEverTheLengthBytes) {
  const TextSlot slots[] = {kTimeSlot,     kCallSlot,       kBandSlot,         kModeSlot,
                            kRprtSentSlot, kNumberSentSlot, kRprtRcvdSlot,     kNumberRcvdSlot,
                            kNoteSlot,     kMultsTextSlot,  kCountryPrefixSlot};
  const unsigned char lengths[] = {0, 1, 4, 11, 12, 13, 127, 128, 255};
  std::string record = EncodeQSO(SampleQso());
  for (const TextSlot& slot : slots) {
    for (unsigned char length : lengths) {
      SCOPED_TRACE("offset " + std::to_string(slot.offset) + " length " + std::to_string(length));
      std::string damaged = record;
      damaged[slot.offset] = static_cast<char>(length);
      ExpectViewAgreesWithDecode(damaged.data());
    }
  }
  std::mt19937 random(11);
  for (int n = 0; n < 200; ++n) {
    std::string noise(kQsoRecordSize, '\0');
    for (char& c : noise)
      c = static_cast<char>(random());
    ExpectViewAgreesWithDecode(noise.data());
  }
}

TEST(QsoLog, IndexIterationAndEndsDecodeTheSameRecords) {
  std::string bytes;
  QsoLog log(bytes);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(log.begin() == log.end());

  TQSOData a = SampleQso();
  TQSOData b = SampleQso();
  b.Call = "DL1ABC";
  b.Points = -7;
  bytes = EncodeQSO(a) + EncodeQSO(b) + EncodeQSO(a);
  ASSERT_EQ(log.size(), 3u);  // the view follows the bytes it was made from
  EXPECT_EQ(log.front(), a);
  EXPECT_EQ(log.back(), a);
  EXPECT_EQ(log[1], b);
  EXPECT_EQ(log.Record(1).Call(), "DL1ABC");
  std::vector<TQSOData> walked;
  for (const TQSOData& q : log)
    walked.push_back(q);
  EXPECT_EQ(walked, (std::vector<TQSOData>{a, b, a}));
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const TQSOData& q) { return q.Points > 0; }),
            2);
}

// One read of the file's size must still give every byte, whatever the size.
TEST(PosixReadFile, GivesExactlyTheFileAtAnySize) {
  TestDir dir;
  PosixFileSystem fs;
  for (std::size_t size : {0u, 1u, 263u, 4096u, 65536u, 65537u, 300000u}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
      bytes[i] = static_cast<char>(i * 7 + i / 251);
    dir.Write("f", bytes);
    EXPECT_EQ(fs.ReadFile(dir / "f"), bytes) << size;
  }
  EXPECT_EQ(fs.ReadFile(dir / "missing"), std::nullopt);
}

}  // namespace
}  // namespace mirva
