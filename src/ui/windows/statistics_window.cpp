#include "windows/statistics_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "guarded.h"
#include "scoring/totals.h"
#include "session/clock.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "ui_text.h"
#include "widgets/rate_chart.h"
#include "widgets/value_label.h"

namespace mirva {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 4;
constexpr int kColumnWidth = 46;
constexpr char kMultsLater[] = "The multipliers window is not available yet";
/// How often the rate figures follow the clock; they count whole minutes.
constexpr int kRateInterval = 15000;

/// The hourglass over the whole program while it lives.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

/// A caption label and the value label beside it, which screen readers name by the caption and
/// the value.
ValueLabel* AddTotal(QGridLayout* layout, int row, int column, const char* name,
                     const char* value_name, const char* caption) {
  auto* label = new QLabel(QString::fromLatin1(caption));
  label->setObjectName(QString::fromLatin1(name));
  auto* value = new ValueLabel(QString::fromLatin1(caption), QStringLiteral("0"));
  value->setObjectName(QString::fromLatin1(value_name));
  value->setMinimumWidth(60);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label->setBuddy(value);
  layout->addWidget(label, row, column);
  layout->addWidget(value, row, column + 1);
  return value;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

StatisticsWindow::StatisticsWindow(AppServices services, QWidget* parent)
    : ToolWindow(kStatSection, QStringLiteral("Contest statistic"), parent),
      services_(services),
      grid_(new QTableWidget(kRows, kColumns, this)),
      chart_(new RateChart(this)) {
  setObjectName(QStringLiteral("TContestStatWin"));
  auto* totals = new QGridLayout;
  total_qso_ = AddTotal(totals, 0, 0, "Label1", "lblTotalQSO", "Total QSO");
  points_ = AddTotal(totals, 1, 0, "Label3", "lblPoints", "QSO points");
  mults_ = AddTotal(totals, 0, 2, "Label5", "lblMults", "Multipliers");
  score_ = AddTotal(totals, 1, 2, "Label7", "lblScore", "Score");

  QPushButton* update = AddButton(this, "Button1", "Update score");
  update->setToolTip(QStringLiteral("Scores every QSO of the log again by the contest's rules"));
  show_mults_ = AddButton(this, "bShowMults", "Show mults table");
  show_mults_->setEnabled(false);
  show_mults_->setToolTip(QString::fromLatin1(kMultsLater));
  connect(update, &QPushButton::clicked, this, &StatisticsWindow::Button1Click);
  connect(show_mults_, &QPushButton::clicked, this, &StatisticsWindow::showMultsRequested);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(update);
  buttons->addWidget(show_mults_);

  grid_->setObjectName(QStringLiteral("sgQSOStat"));
  grid_->setAccessibleName(windowTitle());
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  // The table asks for room for all its cells; a smaller window scrolls it instead of
  // growing when a contest brings more bands or modes.
  grid_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  grid_->setMinimumHeight(kRows * grid_->verticalHeader()->defaultSectionSize() +
                          2 * grid_->frameWidth());

  auto* rate = new QGridLayout;
  last10_ = AddTotal(rate, 0, 0, "LabelRate10", "lblRate10", "Last 10 min");
  last60_ = AddTotal(rate, 0, 2, "LabelRate60", "lblRate60", "Last 60 min");
  best60_ = AddTotal(rate, 1, 0, "LabelBest60", "lblBest60", "Best 60 min");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(totals);
  layout->addLayout(buttons);
  layout->addWidget(grid_);
  layout->addLayout(rate);
  // The chart takes whatever room the window is given beyond the rest.
  layout->addWidget(chart_, 1);
  setTabOrder(update, show_mults_);
  setTabOrder(show_mults_, grid_);
  setTabOrder(grid_, chart_);

  connect(&clock_timer_, &QTimer::timeout, this, &StatisticsWindow::ShowRateFigures);
  clock_timer_.start(kRateInterval);
  services_.session.AddListener(this);
  RecountRate();
  ShowTotals();
}

StatisticsWindow::~StatisticsWindow() {
  services_.session.RemoveListener(this);
}

void StatisticsWindow::connectNotify(const QMetaMethod& signal) {
  if (signal == QMetaMethod::fromSignal(&StatisticsWindow::showMultsRequested)) {
    show_mults_->setEnabled(true);
    show_mults_->setToolTip(QStringLiteral("Opens the table of multipliers"));
  }
  ToolWindow::connectNotify(signal);
}

void StatisticsWindow::Button1Click() {
  // The QSO list and these totals redraw from the session's notices when the rescoring ends.
  Guarded(services_.notifier, [&] {
    BusyCursor busy;
    services_.session.RescoreLog();
  });
}

// Every operation that changes the log or the contest ends with TotalsChanged, which draws.
void StatisticsWindow::QsoAppended(std::size_t index) {
  rate_.Append(services_.session.log().QSOLog(), index);
}

void StatisticsWindow::QsoChanged(std::size_t index) {
  rate_.Change(services_.session.log().QSOLog(), index);
}

void StatisticsWindow::LogReplaced() {
  RecountRate();
}

void StatisticsWindow::ContestChanged() {
  RecountRate();
}

void StatisticsWindow::RecountRate() {
  const Session& session = services_.session;
  static const std::vector<std::string> kNoBands;
  rate_.Rebuild(session.log().QSOLog(), session.HasContest() ? session.Contest().Bands : kNoBands);
}

void StatisticsWindow::ShowTotals() {
  ++draws_;
  const ContestTotals& totals = services_.session.totals();
  total_qso_->SetValue(QString::number(services_.session.log().QSOLog().size()));
  points_->SetValue(QString::number(totals.TotalPoints));
  mults_->SetValue(QString::number(totals.TotalMults));
  score_->SetValue(QString::number(Score(totals)));
  RefreshQsoTable();
  ShowRate();
}

void StatisticsWindow::ShowRate() {
  ShowRateFigures();
  chart_->Show(rate_.Table());
}

void StatisticsWindow::ShowRateFigures() {
  UtcTime now = services_.clock.Now();
  RateFigures figures = rate_.Figures(MinuteOf(now.date, now.time));
  last10_->SetValue(QString::number(figures.last10));
  last60_->SetValue(QString::number(figures.last60));
  best60_->SetValue(QString::number(figures.best60.qsos));
  const std::optional<Minute>& start = figures.best60.start;
  best60_->setToolTip(start ? QStringLiteral("From %1 to %2 UTC")
                                  .arg(QString::fromStdString(FormatMinute(*start)),
                                       QString::fromStdString(FormatMinute(*start + 59)).mid(11))
                            : QString());
}

void StatisticsWindow::RefreshQsoTable() {
  const Session& session = services_.session;
  static const std::vector<std::string> kNone;
  const std::vector<std::string>& bands = session.HasContest() ? session.Contest().Bands : kNone;
  const std::vector<std::string>& modes = session.HasContest() ? session.Contest().Modes : kNone;
  // A contest with more bands or modes than the grid's six and three gets more columns or rows.
  std::size_t columns = std::max<std::size_t>(kColumns, bands.size() + 1);
  std::size_t rows = std::max<std::size_t>(kRows, modes.size() + 1);
  grid_->setColumnCount(static_cast<int>(columns));
  grid_->setRowCount(static_cast<int>(rows));
  // The session's totals are counted by the contest's modes and bands.
  const std::vector<std::vector<int64_t>>& counts = session.totals().QsoCounts;
  int64_t in_cells = 0;
  for (std::size_t band = 0; band + 1 < columns; ++band)
    SetCell(0, band + 1, band < bands.size() ? ToQt(bands[band]) : QStringLiteral(" "));
  for (std::size_t mode = 0; mode + 1 < rows; ++mode) {
    SetCell(mode + 1, 0, mode < modes.size() ? ToQt(modes[mode]) : QStringLiteral(" "));
    for (std::size_t band = 0; band + 1 < columns; ++band) {
      bool shown = mode < counts.size() && band < counts[mode].size();
      SetCell(mode + 1, band + 1,
              shown ? QString::number(counts[mode][band]) : QStringLiteral(" "));
      in_cells += shown ? counts[mode][band] : 0;
    }
  }
  auto total = static_cast<int64_t>(session.log().QSOLog().size());
  SetCell(0, 0, QString::number(total));
  grid_->item(0, 0)->setToolTip(
      total > in_cells
          ? QStringLiteral("QSOs in the log; %1 of them on a band or mode the contest does not "
                           "have, counted only here")
                .arg(total - in_cells)
          : QStringLiteral("QSOs in the log"));
}

void StatisticsWindow::SetCell(std::size_t row, std::size_t column, const QString& text) {
  QTableWidgetItem* item = grid_->item(static_cast<int>(row), static_cast<int>(column));
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    if (row == 0 || column == 0) {
      QFont header = item->font();
      header.setBold(true);
      item->setFont(header);
    }
    grid_->setItem(static_cast<int>(row), static_cast<int>(column), item);
  }
  if (item->text() != text)
    item->setText(text);
}

}  // namespace mirva
