#include "VextalSettingsUnit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_buttons.h"
#include "guarded.h"
#include "session/session.h"
#include "ui_text.h"

namespace mirva {

namespace {

constexpr int kColumnWidths[] = {40, 60, 60, 60, 60, 60};
constexpr int kCellPadding = 10;
/// The most of a grown grid the window shows at once; the rest scrolls.
constexpr int kMaxGridWidth = 720;
constexpr int kMaxGridHeight = 480;

}  // namespace

TVextalWin::TVextalWin(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      use_vextal_(new QCheckBox(QStringLiteral("Use Vextal for TRX communication"), this)),
      grid_(new QTableWidget(this)) {
  setObjectName(QStringLiteral("TVextalWin"));
  setWindowTitle(QStringLiteral("Vextal settings"));
  setModal(true);
  use_vextal_->setObjectName(QStringLiteral("CheckBox1"));
  use_vextal_->setAccessibleName(use_vextal_->text());
  grid_->setObjectName(QStringLiteral("sgFreqList"));
  grid_->setAccessibleName(windowTitle());
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  // Tab moves on to the buttons; the arrow keys move between the cells.
  grid_->setTabKeyNavigation(false);
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("BitBtn1"));
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(use_vextal_);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  setTabOrder(use_vextal_, grid_);
  setTabOrder(grid_, ok);
  setTabOrder(ok, cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TVextalWin::BitBtn1Click);
  connect(grid_, &QTableWidget::itemChanged, this, &TVextalWin::CellChanged);

  Session& session = services_.session;
  ShowPlan(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)));
  // The grid's minimum is the plan's size, so the window opens just around it.
  resize(minimumSizeHint());
}

void TVextalWin::ShowPlan(const BandPlan& plan) {
  QSignalBlocker quiet(grid_);
  grid_->setColumnCount(static_cast<int>(plan.Columns()));
  grid_->setRowCount(static_cast<int>(plan.Rows()));
  for (std::size_t r = 0; r < plan.Rows(); ++r)
    for (std::size_t c = 0; c < plan.Columns(); ++c)
      grid_->setItem(static_cast<int>(r), static_cast<int>(c),
                     new QTableWidgetItem(ToQt(plan.Cell(c, r))));
  FitColumns();
}

void TVextalWin::FitColumns() {
  // Each column is as wide as its place in the plan says, or as its widest text needs.
  int total = 0;
  for (int c = 0; c < grid_->columnCount(); ++c) {
    int width =
        c < static_cast<int>(std::size(kColumnWidths)) ? kColumnWidths[c] : kColumnWidths[1];
    for (int r = 0; r < grid_->rowCount(); ++r)
      width = std::max(width,
                       fontMetrics().horizontalAdvance(grid_->item(r, c)->text()) + kCellPadding);
    grid_->setColumnWidth(c, width);
    total += width;
  }
  int frame = 2 * grid_->frameWidth();
  int height = grid_->rowCount() * grid_->verticalHeader()->defaultSectionSize();
  grid_->setMinimumSize(std::min(total, kMaxGridWidth) + frame,
                        std::min(height, kMaxGridHeight) + frame);
}

void TVextalWin::CellChanged(QTableWidgetItem* item) {
  QString text = item->text();
  for (QChar separator : {QChar(u'\t'), QChar(u'\r'), QChar(u'\n')})
    text.replace(separator, QChar(u' '));
  if (text != item->text())
    item->setText(text);
}

BandPlan TVextalWin::Plan() const {
  BandPlan plan(static_cast<std::size_t>(grid_->columnCount()),
                static_cast<std::size_t>(grid_->rowCount()));
  for (int r = 0; r < grid_->rowCount(); ++r)
    for (int c = 0; c < grid_->columnCount(); ++c)
      if (const QTableWidgetItem* item = grid_->item(r, c))
        plan.SetCell(static_cast<std::size_t>(c), static_cast<std::size_t>(r),
                     FromQt(item->text()));
  return plan;
}

void TVextalWin::BitBtn1Click() {
  Session& session = services_.session;
  if (Guarded(services_.notifier,
              [&] { WriteBandPlan(session.fs(), session.PathOf(kBandPlanFileName), Plan()); }))
    accept();
}

}  // namespace mirva
