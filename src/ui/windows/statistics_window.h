#pragma once

#include <QTimer>

#include "app_services.h"
#include "scoring/rate.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace mirva {

class ValueLabel;

class RateChart;

/// The statistics window: the totals, the QSO table by mode and band, "Update score", the
/// rate (the last 10 and 60 minutes up to the clock's minute, the best 60 minutes) and a chart
/// of QSOs per hour by band. It redraws itself from the session's totals whenever the log, the
/// totals or the contest change, and the rate as the clock runs; the counting is the core's.
class StatisticsWindow : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit StatisticsWindow(AppServices services, QWidget* parent = nullptr);
  ~StatisticsWindow() override;

  /// Rescores the whole log under the current contest, with the busy cursor while it runs.
  void Button1Click();
  /// How often the totals were drawn, for the tests that a change draws them once.
  int draws() const { return draws_; }

 Q_SIGNALS:
  /// "Show mults table" was pressed.
  void showMultsRequested();

 protected:
  /// Enables "Show mults table" once a window listens for it.
  void connectNotify(const QMetaMethod& signal) override;

 private:
  void QsoAppended(std::size_t index) override;
  void QsoChanged(std::size_t index) override;
  void LogReplaced() override;
  void TotalsChanged() override { ShowTotals(); }
  void ContestChanged() override;

  /// Writes the four totals and the QSO table.
  void ShowTotals();
  void RefreshQsoTable();
  void SetCell(std::size_t row, std::size_t column, const QString& text);
  /// Counts the whole log again for the rate, by the contest's bands.
  void RecountRate();
  /// Writes the three rate figures and redraws the chart.
  void ShowRate();
  /// Writes the figures at the clock's minute.
  void ShowRateFigures();

  AppServices services_;
  ValueLabel* total_qso_;
  ValueLabel* points_;
  ValueLabel* mults_;
  ValueLabel* score_;
  QPushButton* show_mults_;
  QTableWidget* grid_;
  QsoRate rate_;
  ValueLabel* last10_;
  ValueLabel* last60_;
  ValueLabel* best60_;
  RateChart* chart_;
  /// Moves the last 10 and 60 minutes on with the clock while no QSO is logged.
  QTimer clock_timer_;
  int draws_ = 0;
};

}  // namespace mirva
