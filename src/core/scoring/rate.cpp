#include "scoring/rate.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "log/date_value.h"

namespace mirva {

namespace {

constexpr Minute kHour = 60;
constexpr Minute kDay = 24 * kHour;
/// Empty hours between two with QSOs are listed up to this many.
constexpr Minute kLongestListedGap = 24;

Minute HourOf(Minute minute) {
  Minute into = ((minute % kHour) + kHour) % kHour;
  return minute - into;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

/// The leading number of a band's name ("160" of "160", "2" of "2m"), when it has one.
std::optional<int> LeadingNumber(std::string_view band) {
  int value = 0;
  auto [end, error] = std::from_chars(band.data(), band.data() + band.size(), value);
  if (error != std::errc() || end == band.data())
    return std::nullopt;
  return value;
}

/// Bands by wavelength, longest first; names without a number after those with one.
bool LongerWave(const std::string& a, const std::string& b) {
  std::optional<int> x = LeadingNumber(a);
  std::optional<int> y = LeadingNumber(b);
  if (x.has_value() != y.has_value())
    return x.has_value();
  if (x && *x != *y)
    return *x > *y;
  return a < b;
}

}  // namespace

std::optional<Minute> MinuteOf(double date, std::string_view time) {
  if (!IsCalendarDate(date) || time.size() != 5 || time[2] != ':' || !IsDigit(time[0]) ||
      !IsDigit(time[1]) || !IsDigit(time[3]) || !IsDigit(time[4]))
    return std::nullopt;
  int hours = (time[0] - '0') * 10 + (time[1] - '0');
  int minutes = (time[3] - '0') * 10 + (time[4] - '0');
  if (hours > 23 || minutes > 59)
    return std::nullopt;
  Minute day = DayOfValue(date).time_since_epoch().count();
  return day * kDay + hours * kHour + minutes;
}

std::string FormatMinute(Minute minute) {
  using namespace std::chrono;
  Minute into_day = ((minute % kDay) + kDay) % kDay;
  sys_days day{days{(minute - into_day) / kDay}};
  year_month_day date{day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(into_day / kHour), static_cast<int>(into_day % kHour));
  return text;
}

QsoRate::Counted QsoRate::Read(QsoRecordView record) {
  Counted qso{MinuteOf(record.QSODate(), record.QSOTime()), 0};
  std::string_view band = record.Band();
  auto known = std::find(bands_.begin(), bands_.end(), band);
  qso.band = static_cast<std::size_t>(known - bands_.begin());
  if (known == bands_.end()) {
    bands_.emplace_back(band);
    band_totals_.push_back(0);
  }
  return qso;
}

void QsoRate::Rebuild(const QsoLog& log, const std::vector<std::string>& bands) {
  wanted_bands_ = bands;
  bands_ = bands;
  band_totals_.assign(bands_.size(), 0);
  qsos_.clear();
  minutes_.clear();
  hours_.clear();
  qsos_.reserve(log.size());
  minutes_.reserve(log.size());
  for (std::size_t i = 0; i < log.size(); ++i) {
    Counted qso = Read(log.Record(i));
    qsos_.push_back(qso);
    if (!qso.minute)
      continue;
    minutes_.push_back(*qso.minute);
    std::vector<int64_t>& hour = hours_[HourOf(*qso.minute)];
    hour.resize(bands_.size());
    ++hour[qso.band];
    ++band_totals_[qso.band];
  }
  std::sort(minutes_.begin(), minutes_.end());
  FindBest60();
}

void QsoRate::Add(const Counted& qso) {
  if (!qso.minute)
    return;
  Minute minute = *qso.minute;
  minutes_.insert(std::upper_bound(minutes_.begin(), minutes_.end(), minute), minute);
  std::vector<int64_t>& hour = hours_[HourOf(minute)];
  hour.resize(std::max(hour.size(), bands_.size()));
  ++hour[qso.band];
  ++band_totals_[qso.band];
}

void QsoRate::Remove(const Counted& qso) {
  if (!qso.minute)
    return;
  Minute minute = *qso.minute;
  minutes_.erase(std::lower_bound(minutes_.begin(), minutes_.end(), minute));
  auto hour = hours_.find(HourOf(minute));
  --hour->second[qso.band];
  --band_totals_[qso.band];
  if (std::all_of(hour->second.begin(), hour->second.end(), [](int64_t n) { return n == 0; }))
    hours_.erase(hour);
}

void QsoRate::Append(const QsoLog& log, std::size_t index) {
  if (index != qsos_.size() || log.size() != index + 1) {
    Rebuild(log, wanted_bands_);
    return;
  }
  const Counted& qso = qsos_.emplace_back(Read(log.Record(index)));
  if (!qso.minute)
    return;
  Minute minute = *qso.minute;
  bool latest = minutes_.empty() || minute >= minutes_.back();
  Add(qso);
  if (!latest) {
    FindBest60();
    return;
  }
  // Only the runs that end with this QSO are new; the best of them starts at its first QSO.
  int64_t ending = CountEnding(minute, 60);
  if (ending > best60_.qsos)
    best60_ = {ending, *std::lower_bound(minutes_.begin(), minutes_.end(), minute - 59)};
}

void QsoRate::Change(const QsoLog& log, std::size_t index) {
  if (index >= qsos_.size() || log.size() != qsos_.size()) {
    Rebuild(log, wanted_bands_);
    return;
  }
  Remove(qsos_[index]);
  qsos_[index] = Read(log.Record(index));
  Add(qsos_[index]);
  FindBest60();
}

void QsoRate::FindBest60() {
  best60_ = {};
  std::size_t end = 0;
  for (std::size_t first = 0; first < minutes_.size(); ++first) {
    while (end < minutes_.size() && minutes_[end] < minutes_[first] + 60)
      ++end;
    auto run = static_cast<int64_t>(end - first);
    if (run > best60_.qsos)
      best60_ = {run, minutes_[first]};
  }
}

int64_t QsoRate::CountEnding(Minute now, int minutes) const {
  auto from = std::lower_bound(minutes_.begin(), minutes_.end(), now - minutes + 1);
  auto to = std::upper_bound(from, minutes_.end(), now);
  return to - from;
}

RateFigures QsoRate::Figures(Minute now) const {
  return {CountEnding(now, 10), CountEnding(now, 60), best60_};
}

RateFigures QsoRate::Figures(const std::optional<Minute>& now) const {
  if (!now)
    return {0, 0, best60_};
  return Figures(*now);
}

RateTable QsoRate::Table() const {
  std::vector<std::size_t> columns;
  for (std::size_t band = 0; band < wanted_bands_.size(); ++band)
    columns.push_back(band);
  std::vector<std::size_t> others;
  for (std::size_t band = wanted_bands_.size(); band < bands_.size(); ++band) {
    if (band_totals_[band] > 0)
      others.push_back(band);
  }
  std::sort(others.begin(), others.end(),
            [&](std::size_t a, std::size_t b) { return LongerWave(bands_[a], bands_[b]); });
  columns.insert(columns.end(), others.begin(), others.end());

  RateTable table;
  for (std::size_t band : columns)
    table.bands.push_back(bands_[band]);
  for (const auto& [start, counts] : hours_) {
    if (!table.hours.empty()) {
      Minute last = table.hours.back().start;
      if (start - last <= (kLongestListedGap + 1) * kHour) {
        for (Minute empty = last + kHour; empty < start; empty += kHour)
          table.hours.push_back({empty, std::vector<int64_t>(columns.size()), 0});
      }
    }
    RateHour& hour = table.hours.emplace_back(RateHour{start, {}, 0});
    for (std::size_t band : columns) {
      int64_t n = band < counts.size() ? counts[band] : 0;
      hour.counts.push_back(n);
      hour.total += n;
    }
  }
  return table;
}

}  // namespace mirva
