#include "log/qso_log.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "native_file_system.h"
#include "sample_qso.h"
#include "test_dir.h"

namespace mirva {
namespace {

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
  NativeFileSystem fs;
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
