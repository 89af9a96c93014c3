#include "scoring/rate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <random>

#include "log/date_value.h"

namespace mirva {
namespace {

using std::chrono::December;
using std::chrono::sys_days;
using std::chrono::year;

const std::vector<std::string> kBands = {"160", "80", "40", "20", "15", "10"};
const double kSaturday = DateValueOf(sys_days{year{2025} / December / 6});

struct Qso {
  std::string time;
  std::string band = "20";
  int day = 0;  ///< after the Saturday
};

/// A log of the QSOs, each stored as a record.
struct Log {
  std::string bytes;

  explicit Log(std::initializer_list<Qso> qsos) {
    for (const Qso& qso : qsos)
      Add(qso);
  }
  void Add(const Qso& qso) { bytes += EncodeQSO(Record(qso)); }
  static TQSOData Record(const Qso& qso) {
    TQSOData q;
    q.QSODate = kSaturday + qso.day;
    q.QSOTime = qso.time;
    q.Call = "DL1ABC";
    q.Band = qso.band;
    q.Mode = "CW";
    return q;
  }
  QsoLog qsos() const { return QsoLog(bytes); }
};

Minute At(const char* time, int day = 0) {
  return *MinuteOf(kSaturday + day, time);
}

QsoRate Counted(const Log& log, const std::vector<std::string>& bands = kBands) {
  QsoRate rate;
  rate.Rebuild(log.qsos(), bands);
  return rate;
}

TEST(RateTest, OnlyAStoredTimeOfDayOnACalendarDateCounts) {
  const struct {
    double date;
    const char* time;
    bool valid;
  } cases[] = {
      {kSaturday, "00:00", true},   {kSaturday, "23:59", true},
      {kSaturday, "24:00", false},  {kSaturday, "12:60", false},
      {kSaturday, "1200", false},   {kSaturday, "12:0", false},
      {kSaturday, " 12:00", false}, {kSaturday, "", false},
      {kSaturday, "12:0a", false},  {std::numeric_limits<double>::quiet_NaN(), "12:00", false},
      {1e9, "12:00", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MinuteOf(c.date, c.time).has_value(), c.valid) << c.date << " " << c.time;
  EXPECT_EQ(At("00:00", 1) - At("23:59"), 1);
  EXPECT_EQ(FormatMinute(At("07:05", 1)), "2025-12-07 07:05");
  EXPECT_EQ(FormatMinute(*MinuteOf(DateValueOf(sys_days{year{1899} / 12 / 30}), "23:59")),
            "1899-12-30 23:59");
}

// The last 10 and 60 minutes end with the minute of "now", it included, across an hour.
TEST(RateTest, LastMinutesEndWithNow) {
  Log log({{"11:05"}, {"11:55"}, {"11:58", "40"}, {"12:00"}, {"12:03", "40"}, {"12:09"}});
  QsoRate rate = Counted(log);
  const struct {
    const char* now;
    int64_t last10;
    int64_t last60;
  } cases[] = {
      {"12:09", 3, 5},  // 12:00 to 12:09; 11:10 to 12:09
      {"12:10", 2, 5},  // 12:00 has left the ten minutes
      {"12:04", 4, 5},  // the QSO at 12:09 is after now
      {"12:05", 3, 4},  // 11:05 has left the hour
      {"13:08", 0, 1}, {"10:00", 0, 0},
  };
  for (const auto& c : cases) {
    RateFigures figures = rate.Figures(At(c.now));
    EXPECT_EQ(figures.last10, c.last10) << c.now;
    EXPECT_EQ(figures.last60, c.last60) << c.now;
  }
  EXPECT_EQ(rate.Figures(std::nullopt).last60, 0);
  EXPECT_EQ(rate.Figures(std::nullopt).best60.qsos, 5);
}

TEST(RateTest, BestSixtyMinutesSlideOverTheQsoTimes) {
  const struct {
    const char* name;
    Log log;
    int64_t best;
    std::optional<Minute> start;
  } cases[] = {
      {"empty", Log({}), 0, std::nullopt},
      {"one", Log({{"12:07"}}), 1, At("12:07")},
      {"59 minutes apart", Log({{"12:00"}, {"12:59"}}), 2, At("12:00")},
      {"60 minutes apart, the earlier", Log({{"12:00"}, {"13:00"}}), 1, At("12:00")},
      {"across the clock hour", Log({{"11:50"}, {"11:55"}, {"12:05"}, {"12:20"}, {"13:00"}}), 4,
       At("11:50")},
      {"same minute", Log({{"13:30"}, {"12:00"}, {"12:00"}, {"13:30"}, {"12:00"}}), 3, At("12:00")},
      {"over midnight", Log({{"23:30"}, {"23:45"}, {"00:10", "20", 1}}), 3, At("23:30")},
      {"later run is better", Log({{"10:00"}, {"10:30"}, {"14:00"}, {"14:10"}, {"14:59"}}), 3,
       At("14:00")},
      {"a record without a time is not counted", Log({{"12:00"}, {"12:75"}, {""}}), 1, At("12:00")},
  };
  for (const auto& c : cases) {
    QsoRate rate = Counted(c.log);
    EXPECT_EQ(rate.Best60().qsos, c.best) << c.name;
    EXPECT_EQ(rate.Best60().start, c.start) << c.name;
  }
}

TEST(RateTest, TableListsEveryHourBetweenByBand) {
  // 10:xx on 20 and 40, nothing at 11, 12:xx on 20; then a day and a half later a QSO on 6 m.
  Log log({{"10:10"}, {"10:20", "40"}, {"10:59"}, {"12:00"}, {"23:00", "6", 1}, {"bad", "2"}});
  RateTable table = Counted(log).Table();
  std::vector<std::string> bands = {"160", "80", "40", "20", "15", "10", "6"};
  EXPECT_EQ(table.bands, bands);
  std::vector<RateHour> hours = {
      {At("10:00"), {0, 0, 1, 2, 0, 0, 0}, 3},
      {At("11:00"), {0, 0, 0, 0, 0, 0, 0}, 0},
      {At("12:00"), {0, 0, 0, 1, 0, 0, 0}, 1},
      {At("23:00", 1), {0, 0, 0, 0, 0, 0, 1}, 1},
  };
  EXPECT_EQ(table.hours, hours);

  // A gap of exactly a day is listed hour by hour.
  EXPECT_EQ(Counted(Log({{"10:00"}, {"11:00", "20", 1}})).Table().hours.size(), 26u);
  EXPECT_TRUE(Counted(Log({})).Table().hours.empty());
  EXPECT_EQ(Counted(Log({}), kBands).Table().bands, kBands);
}

TEST(RateTest, BandsOutsideTheContestFollowByWavelength) {
  Log log({{"10:00", "2"}, {"10:00", "WARC"}, {"10:00", "6"}, {"10:00", "20"}, {"10:00", "160"}});
  const struct {
    std::vector<std::string> contest;
    std::vector<std::string> shown;
  } cases[] = {
      {{}, {"160", "20", "6", "2", "WARC"}},
      {{"20", "40"}, {"20", "40", "160", "6", "2", "WARC"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Counted(log, c.contest).Table().bands, c.shown);
}

// Whatever order QSOs arrive and are edited in, the counts kept as they come are those of a
// count of the whole log.
TEST(RateTest, AppendsAndEditsCountAsTheWholeLogDoes) {
  std::mt19937 random(11);
  const char* bands[] = {"20", "40", "6", "2"};
  auto any_qso = [&] {
    int minute = static_cast<int>(random() % 300);
    std::string time = std::to_string(10 + minute / 60) + ":" + std::to_string(minute % 60 / 10) +
                       std::to_string(minute % 10);
    if (random() % 10 == 0)
      time[0] = 'x';  // no valid time
    return Qso{time, bands[random() % 4], static_cast<int>(random() % 2)};
  };
  Log log({});
  QsoRate rate;
  rate.Rebuild(log.qsos(), {"40", "20"});
  for (int step = 0; step < 400; ++step) {
    std::size_t size = log.bytes.size() / kQsoRecordSize;
    if (size > 0 && random() % 3 == 0) {
      std::size_t index = random() % size;
      log.bytes.replace(index * kQsoRecordSize, kQsoRecordSize, EncodeQSO(Log::Record(any_qso())));
      rate.Change(log.qsos(), index);
    } else {
      log.Add(any_qso());
      rate.Append(log.qsos(), size);
    }
    QsoRate whole = Counted(log, {"40", "20"});
    ASSERT_EQ(rate.Table(), whole.Table()) << step;
    ASSERT_EQ(rate.Best60().qsos, whole.Best60().qsos) << step;
    ASSERT_EQ(rate.Best60().start, whole.Best60().start) << step;
    ASSERT_EQ(rate.counted(), whole.counted()) << step;
  }
}

TEST(RateTest, AnAppendThatDoesNotFollowTheCountedLogCountsItAgain) {
  Log log({{"10:00"}, {"10:05"}});
  QsoRate rate = Counted(log);
  // Two QSOs were logged, and the rate hears only of the second.
  log.Add({"10:10"});
  log.Add({"10:11"});
  rate.Append(log.qsos(), 3);
  EXPECT_EQ(rate.counted(), 4u);
  EXPECT_EQ(rate.Figures(At("10:11")).last60, 4);
}

}  // namespace
}  // namespace mirva
