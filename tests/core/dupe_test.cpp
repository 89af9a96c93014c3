#include "scoring/dupe.h"

#include <gtest/gtest.h>

#include "test_dir.h"

namespace mirva {
namespace {

TEST(IsDupe, RulesOverAShortLog) {
  TestDir dir;
  NativeFileSystem fs;
  LogStore log(fs, dir.path());
  log.LoadLog();
  auto add = [&](std::string call, std::string band, std::string mode, std::string time) {
    TQSOData q;
    q.Call = std::move(call);
    q.Band = std::move(band);
    q.Mode = std::move(mode);
    q.QSOTime = std::move(time);
    log.AppendQSO(q);
  };
  add("DL1ABC", "20", "CW", "14:05");
  add("UA3ABC", "40", "SSB", "09:59");
  add("UA3ABC", "20", "CW", "10:30");

  struct Case {
    DupeRule rule;
    const char* call;
    const char* band;
    const char* mode;
    const char* time;
    bool dupe;
  } cases[] = {
      {DupeRule::kBand, "DL1ABC", "20", "SSB", "00:00", true},
      {DupeRule::kBand, "DL1ABC", "15", "CW", "14:05", false},
      {DupeRule::kBand, "dl1abc", "20", "CW", "14:05", false},
      {DupeRule::kBandMode, "DL1ABC", "20", "CW", "00:00", true},
      {DupeRule::kBandMode, "DL1ABC", "20", "SSB", "00:00", false},
      // Band from one QSO, mode from another.
      {DupeRule::kBandAndMode, "UA3ABC", "40", "CW", "00:00", true},
      {DupeRule::kBandAndMode, "UA3ABC", "15", "CW", "00:00", false},
      {DupeRule::kBandAndMode, "UA3ABC", "40", "RTTY", "00:00", false},
      {DupeRule::kHour, "DL1ABC", "20", "SSB", "14:59", true},
      {DupeRule::kHour, "DL1ABC", "20", "CW", "15:00", false},
      // 09:59 is the last minute of the hour; 10:30 on 20 m is after it.
      {DupeRule::kHour, "UA3ABC", "40", "CW", "09:00", true},
      {DupeRule::kHour, "UA3ABC", "20", "CW", "09:00", false},
      {DupeRule::kNever, "DL1ABC", "20", "CW", "14:05", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsDupe(c.rule, log, c.call, c.band, c.mode, c.time), c.dupe)
        << static_cast<int>(c.rule) << " " << c.call << " " << c.band << " " << c.mode << " "
        << c.time;
}

}  // namespace
}  // namespace mirva
