#include "widgets/rate_chart.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <chrono>

#include "ui_text.h"

namespace mirva {

namespace {

constexpr Minute kDay = 24 * 60;
/// The chart shows the table's last hours, as many as a long contest has.
constexpr std::size_t kMostHours = 48;

/// One colour per band of the table, so that a band keeps its colour as others come and go.
QColor BandColour(std::size_t band) {
  static const QColor kColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                    QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                    QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                    QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                    QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
  return kColours[band % std::size(kColours)];
}

/// "20 m" for a band named by its wavelength in metres; any other name as it is.
QString BandName(const std::string& band) {
  QString name = ToQt(band);
  bool metres = !band.empty() &&
                std::all_of(band.begin(), band.end(), [](char c) { return c >= '0' && c <= '9'; });
  return metres ? name + QStringLiteral(" m") : name;
}

/// The table's bands that have QSOs, as indexes into its bands.
std::vector<std::size_t> BandsWithQsos(const RateTable& table) {
  std::vector<std::size_t> bands;
  for (std::size_t band = 0; band < table.bands.size(); ++band) {
    if (std::any_of(table.hours.begin(), table.hours.end(),
                    [&](const RateHour& hour) { return hour.counts[band] > 0; }))
      bands.push_back(band);
  }
  return bands;
}

QString DayOf(Minute minute) {
  using namespace std::chrono;
  static const char* const kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  Minute into_day = ((minute % kDay) + kDay) % kDay;
  sys_days day{days{(minute - into_day) / kDay}};
  return QLatin1String(kNames[weekday(day).c_encoding()]) + ' ' +
         QString::fromStdString(FormatMinute(minute).substr(0, 10));
}

QString Summary(const RateTable& table) {
  QStringList hours;
  for (const RateHour& hour : table.hours)
    hours << QStringLiteral("%1: %2").arg(QString::fromStdString(FormatMinute(hour.start)),
                                          QString::number(hour.total));
  return QStringLiteral("QSOs per hour, ") + hours.join(QStringLiteral(", "));
}

/// "Hour (UTC)" and the days the hours are of.
QString HoursTitle(const std::vector<RateHour>& hours) {
  QString title = QStringLiteral("Hour (UTC)");
  if (hours.empty())
    return title;
  QString first = DayOf(hours.front().start);
  QString last = DayOf(hours.back().start);
  return title + QStringLiteral(", ") + first + (first == last ? QString() : " to " + last);
}

}  // namespace

QStringList HourLabels(const std::vector<RateHour>& hours) {
  // Every hour when they are few, else every second or third hour of the day.
  int step = hours.size() <= 16 ? 1 : hours.size() <= 32 ? 2 : 3;
  QStringList labels;
  // The same hour of another day gets one more zero-width space than that of the day shown
  // before it, since the axis tells its labels apart by their text. Days are counted as
  // shown, not as the calendar has them: a QSO dated years away adds one, not thousands.
  qsizetype days = 0;
  Minute day = hours.empty() ? 0 : hours.front().start / kDay;
  for (const RateHour& hour : hours) {
    if (hour.start / kDay != day) {
      day = hour.start / kDay;
      ++days;
    }
    QString hh = QString::fromStdString(FormatMinute(hour.start).substr(11, 2));
    labels << (hh.toInt() % step == 0 ? hh + QString(days, QChar(0x200B)) : QString());
  }
  return labels;
}

RateChart::RateChart(QWidget* parent)
    : QChartView(parent),
      series_(new QStackedBarSeries),
      hours_axis_(new QCategoryAxis),
      count_axis_(new QValueAxis) {
  setObjectName(QStringLiteral("chRate"));
  setAccessibleName(QStringLiteral("QSOs per hour by band"));
  auto* chart = new QChart;
  chart->addSeries(series_);
  chart->addAxis(hours_axis_, Qt::AlignBottom);
  chart->addAxis(count_axis_, Qt::AlignLeft);
  series_->attachAxis(hours_axis_);
  series_->attachAxis(count_axis_);
  // Hour i's bar stands at i; its label under the bar's middle.
  hours_axis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  hours_axis_->setGridLineVisible(false);
  hours_axis_->setTitleText(HoursTitle({}));
  count_axis_->setTitleText(QStringLiteral("QSOs"));
  count_axis_->setLabelFormat(QStringLiteral("%d"));
  count_axis_->setRange(0, 10);
  chart->legend()->setAlignment(Qt::AlignRight);
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setMinimumSize(330, 230);
}

void RateChart::Show(const RateTable& whole) {
  RateTable table{whole.bands, {}};
  std::size_t first = whole.hours.size() - std::min(whole.hours.size(), kMostHours);
  table.hours.assign(whole.hours.begin() + static_cast<std::ptrdiff_t>(first), whole.hours.end());
  std::vector<std::size_t> bands = BandsWithQsos(table);
  if (!Update(bands, table))
    Rebuild(bands, table);
  FitAxes(table);
  setAccessibleDescription(Summary(table));
}

bool RateChart::Update(const std::vector<std::size_t>& bands, const RateTable& table) {
  QStringList names;
  for (std::size_t band : bands)
    names << BandName(table.bands[band]);
  if (names != shown_bands_ || table.hours.size() < shown_hours_.size() ||
      !std::equal(shown_hours_.begin(), shown_hours_.end(), table.hours.begin(),
                  [](Minute shown, const RateHour& hour) { return shown == hour.start; }))
    return false;
  QList<QBarSet*> sets = series_->barSets();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    QBarSet* set = sets[static_cast<qsizetype>(i)];
    for (int hour = 0; hour < static_cast<int>(table.hours.size()); ++hour) {
      auto count = static_cast<qreal>(table.hours[static_cast<std::size_t>(hour)].counts[bands[i]]);
      if (hour >= set->count())
        set->append(count);
      else if (set->at(hour) != count)
        set->replace(hour, count);
    }
  }
  for (std::size_t hour = shown_hours_.size(); hour < table.hours.size(); ++hour)
    shown_hours_.push_back(table.hours[hour].start);
  return true;
}

void RateChart::Rebuild(const std::vector<std::size_t>& bands, const RateTable& table) {
  ++rebuilds_;
  series_->clear();
  shown_bands_.clear();
  shown_hours_.clear();
  for (std::size_t band : bands) {
    auto* set = new QBarSet(BandName(table.bands[band]));
    set->setColor(BandColour(band));
    set->setBorderColor(BandColour(band).darker(130));
    for (const RateHour& hour : table.hours)
      set->append(static_cast<qreal>(hour.counts[band]));
    series_->append(set);
    shown_bands_ << set->label();
  }
  for (const RateHour& hour : table.hours)
    shown_hours_.push_back(hour.start);
}

void RateChart::FitAxes(const RateTable& table) {
  QStringList labels = HourLabels(table.hours);
  if (labels != shown_labels_) {
    for (const QString& label : hours_axis_->categoriesLabels())
      hours_axis_->remove(label);
    for (qsizetype hour = 0; hour < labels.size(); ++hour) {
      if (!labels[hour].isEmpty())
        hours_axis_->append(labels[hour], static_cast<qreal>(hour));
    }
    shown_labels_ = labels;
    hours_axis_->setTitleText(HoursTitle(table.hours));
  }
  hours_axis_->setRange(-0.5, std::max<qreal>(static_cast<qreal>(table.hours.size()), 1) - 0.5);
  int64_t most = 0;
  for (const RateHour& hour : table.hours)
    most = std::max(most, hour.total);
  // A little room above the highest bar; whole QSOs on the ticks.
  count_axis_->setRange(0, static_cast<qreal>(std::max<int64_t>(most + most / 10 + 1, 5)));
  count_axis_->applyNiceNumbers();
}

}  // namespace mirva
