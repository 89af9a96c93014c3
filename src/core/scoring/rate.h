#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/qso_log.h"

namespace mirva {

/// Minutes since 1970-01-01 00:00 UTC.
using Minute = int64_t;

/// The minute of a stored date value and "hh:nn" time; nothing when the date is not a day of
/// the calendar or the time is not exactly "hh:nn" from 00:00 to 23:59.
std::optional<Minute> MinuteOf(double date, std::string_view time);
/// "YYYY-MM-DD hh:nn".
std::string FormatMinute(Minute minute);

/// The QSOs of one clock hour, per band of the table they belong to.
struct RateHour {
  Minute start = 0;  ///< the hour's first minute
  std::vector<int64_t> counts;
  int64_t total = 0;

  bool operator==(const RateHour&) const = default;
};

/// QSOs per clock hour and band, in time order. A stretch of hours without QSOs between two
/// that have some is listed hour by hour when it is at most a day long, and left out when it
/// is longer (a log of two contests, or a QSO with a wrong date), so a chart stays readable.
struct RateTable {
  std::vector<std::string> bands;
  std::vector<RateHour> hours;

  bool operator==(const RateTable&) const = default;
};

/// The most QSOs in any run of consecutive minutes.
struct BestRun {
  int64_t qsos = 0;
  std::optional<Minute> start;  ///< the earliest run's first minute; none in an empty log
};

/// The figures an operator watches: QSOs in the last 10 and 60 minutes ending with the minute
/// of "now" (it included; QSOs after it are in neither), and the best 60 minutes of the log,
/// over every 60-minute run, not only clock hours.
struct RateFigures {
  int64_t last10 = 0;
  int64_t last60 = 0;
  BestRun best60;
};

/// The rate of a log, from the time of each QSO: records without a valid date and time are not
/// counted. A QSO appended or written over is counted in time proportional to the log's size at
/// worst and usually far less; a delete, load or rescoring needs Rebuild.
class QsoRate {
 public:
  /// Counts the whole log. The table's bands are `bands` (a contest's, in its order) followed
  /// by any other band that has QSOs, larger wavelength first.
  void Rebuild(const QsoLog& log, const std::vector<std::string>& bands);
  /// Counts QSO `index`, which was just appended as the log's last; rebuilds when the log is
  /// not the one counted plus that QSO.
  void Append(const QsoLog& log, std::size_t index);
  /// Counts QSO `index` again after it was written over.
  void Change(const QsoLog& log, std::size_t index);

  /// QSOs in the `minutes` minutes that end with minute `now`, it included.
  int64_t CountEnding(Minute now, int minutes) const;
  /// The figures at minute `now`.
  RateFigures Figures(Minute now) const;
  RateFigures Figures(const std::optional<Minute>& now) const;
  const BestRun& Best60() const { return best60_; }
  RateTable Table() const;
  /// The QSOs counted: those with a valid date and time.
  std::size_t counted() const { return minutes_.size(); }

 private:
  struct Counted {
    std::optional<Minute> minute;
    std::size_t band = 0;  ///< into bands_
  };

  Counted Read(QsoRecordView record);
  void Add(const Counted& qso);
  void Remove(const Counted& qso);
  void FindBest60();

  std::vector<std::string> wanted_bands_;
  /// Every band met, in the order met; indexes stay while the log is counted.
  std::vector<std::string> bands_;
  std::vector<int64_t> band_totals_;
  std::vector<Counted> qsos_;                     ///< per QSO of the log
  std::vector<Minute> minutes_;                   ///< of the counted QSOs, sorted
  std::map<Minute, std::vector<int64_t>> hours_;  ///< per hour's first minute, QSOs per band
  BestRun best60_;
};

}  // namespace mirva
