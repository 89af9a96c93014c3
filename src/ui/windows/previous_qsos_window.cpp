#include "windows/previous_qsos_window.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "models/qso_cells.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

namespace {

/// Date, time, band, mode, sent, received and the note, which carries a duplicate's mark as
/// the QSO list shows it.
constexpr int kColumns = 7;

QString CellText(const TQSOData& q, int column) {
  switch (column) {
    case 0:
      return ToQt(ViewDate(q.QSODate));
    case 1:
      return ToQt(q.QSOTime);
    case 2:
      return ToQt(q.Band);
    case 3:
      return ToQt(q.Mode);
    case 4:
      return ToQt(JoinedReport(q.RprtSent, q.NumberSent));
    case 5:
      return ToQt(JoinedReport(q.RprtRcvd, q.NumberRcvd));
    default:
      return ToQt(q.Note);
  }
}

}  // namespace

PreviousQsosWindow::PreviousQsosWindow(AppServices services, QWidget* parent)
    : ToolWindow(kPrevQsoSection, QStringLiteral("Previous QSO"), parent),
      services_(services),
      grid_(new QTableWidget(1, kColumns, this)) {
  setObjectName(QStringLiteral("TPrevQSOWin"));
  grid_->setObjectName(QStringLiteral("sgPrevQSO"));
  grid_->setAccessibleName(windowTitle());
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  // The selection shows only while the window is active.
  QPalette palette = grid_->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
  grid_->setPalette(palette);
  const QFontMetrics metrics = grid_->fontMetrics();
  const char* widest[] = {"00-Mmm-0000", "00:00", "0000", "MMMM", "599 0000", "599 0000"};
  for (int column = 0; column < kColumns - 1; ++column)
    grid_->setColumnWidth(column, metrics.horizontalAdvance(QLatin1String(widest[column])) + 16);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, &PreviousQsosWindow::sgPrevQSODblClick);
  grid_->setColumnWidth(kColumns - 1, metrics.horizontalAdvance(QLatin1String("##Dupe##")) + 16);
  resize(grid_->horizontalHeader()->length() + 2 * grid_->frameWidth() +
             grid_->verticalScrollBar()->sizeHint().width(),
         120);
  services_.session.AddListener(this);
}

PreviousQsosWindow::~PreviousQsosWindow() {
  services_.session.RemoveListener(this);
}

void PreviousQsosWindow::ShowPreviousQSOs() {
  editing_ = false;
  const TQSODataArr& previous = services_.session.PrevQSOs();
  if (previous.empty())
    return;
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(previous.size()));
  for (int row = 0; row < grid_->rowCount(); ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const TQSOData& qso = previous[static_cast<std::size_t>(row)];
      grid_->setItem(row, column, new QTableWidgetItem(CellText(qso, column)));
    }
  }
}

void PreviousQsosWindow::ClearPreviousQSOs() {
  editing_ = false;
  grid_->clearContents();
  grid_->setRowCount(1);
}

void PreviousQsosWindow::sgPrevQSODblClick() {
  const Session& session = services_.session;
  const std::vector<uint32_t>& positions = session.PrevQSOPositions();
  int row = grid_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= positions.size() ||
      grid_->item(row, 0) == nullptr)
    return;
  // The row's own record, by its place in the log: another QSO of the same call in the same
  // minute on the same band is never taken for it.
  std::size_t index = positions[static_cast<std::size_t>(row)];
  QsoLog log = session.log().QSOLog();
  if (index >= log.size() ||
      log.Record(index).Call() != session.PrevQSOs()[static_cast<std::size_t>(row)].Call)
    return;
  editing_ = true;
  Q_EMIT editRequested(index);
}

void PreviousQsosWindow::QsoChanged(std::size_t) {
  if (editing_)
    ShowAgain();
}

void PreviousQsosWindow::LogReplaced() {
  // A delete or rescoring moves QSOs: the rows are looked up again so that each still opens
  // its own record.
  if (grid_->item(0, 0) != nullptr)
    ShowAgain();
}

void PreviousQsosWindow::ShowAgain() {
  if (services_.session.PrevQSOs().empty())
    return;
  // The shown QSOs are copies from before the change, so their callsign is the one shown.
  std::string call = services_.session.PrevQSOs().front().Call;
  services_.session.ShowPreviousQSOs(call);
  if (services_.session.PrevQSOs().empty())
    ClearPreviousQSOs();
  else
    ShowPreviousQSOs();
}

}  // namespace mirva
