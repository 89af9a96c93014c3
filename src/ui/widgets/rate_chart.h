#pragma once

#include <QChartView>
#include <QStringList>
#include <vector>

#include "scoring/rate.h"

class QCategoryAxis;
class QStackedBarSeries;
class QValueAxis;

namespace mirva {

/// The label under each hour's bar: its "hh", for every hour when there are at most 16, else
/// for every second (up to 32) or third hour of the day, the others empty.
QStringList HourLabels(const std::vector<RateHour>& hours);

/// QSOs per clock hour as bars stacked by band: the table's last 48 hours, one bar set per band
/// that has QSOs in them. A new table changes only the bars that differ and adds the hours
/// that follow the shown ones; the series is made anew only when the bands or the earlier
/// hours differ.
class RateChart : public QChartView {
  Q_OBJECT

 public:
  explicit RateChart(QWidget* parent = nullptr);

  void Show(const RateTable& table);
  QStackedBarSeries* series() const { return series_; }
  /// How often the series was made anew, for the tests of the small updates.
  int rebuilds() const { return rebuilds_; }

 private:
  void Rebuild(const std::vector<std::size_t>& bands, const RateTable& table);
  bool Update(const std::vector<std::size_t>& bands, const RateTable& table);
  void FitAxes(const RateTable& table);

  QStackedBarSeries* series_;
  QCategoryAxis* hours_axis_;
  QValueAxis* count_axis_;
  QStringList shown_bands_;
  std::vector<Minute> shown_hours_;
  QStringList shown_labels_;
  int rebuilds_ = 0;
};

}  // namespace mirva
