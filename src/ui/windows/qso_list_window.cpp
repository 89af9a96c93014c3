#include "windows/qso_list_window.h"

#include <QAction>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "guarded.h"
#include "log/delete_question.h"
#include "models/qso_list_model.h"
#include "session/session.h"
#include "session/stored_settings.h"

namespace mirva {

namespace {

/// The widest text each column shows, besides its caption: columns get their widths from
/// these rather than from measuring every row of a long log.
constexpr const char* kWidestCell[QsoListModel::kColumns] = {
    "00-Mmm-0000", "00:00",    "MM0MMM/MMM", "0000",     "MMMM",
    "599 0000",    "599 0000", "MMMM",       "00 00 00", "MMMMMMMMMMMM"};

}  // namespace

QsoListWindow::QsoListWindow(AppServices services, QWidget* parent)
    : ToolWindow(kQsoListSection, QStringLiteral("Contest QSO list"), parent),
      services_(services),
      model_(new QsoListModel(services.session.log(), this)),
      grid_(new QTableView(this)) {
  setObjectName(QStringLiteral("TQSOListWin"));
  grid_->setObjectName(QStringLiteral("sgQSOList"));
  grid_->setAccessibleName(windowTitle());
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  // Fixed row heights spare the view measuring rows, which a long log would feel.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(true);
  SizeColumns();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);
  BuildMenu();
  connect(grid_, &QTableView::doubleClicked, this, &QsoListWindow::EditQSO1Click);
  resize(grid_->horizontalHeader()->length() + 2 * grid_->frameWidth() +
             grid_->verticalScrollBar()->sizeHint().width(),
         260);
  SelectRow(model_->rowCount() - 1);
  services_.session.AddListener(this);
}

QsoListWindow::~QsoListWindow() {
  services_.session.RemoveListener(this);
}

void QsoListWindow::BuildMenu() {
  struct Item {
    const char* name;
    const char* caption;
    QList<QKeySequence> keys;
    void (QsoListWindow::*action)();
  };
  const Item items[] = {
      {"EditQSO1", "Edit QSO", {Qt::Key_Return, Qt::Key_Enter}, &QsoListWindow::EditQSO1Click},
      {"DeleteQSO1",
       "Delete QSO",
       {QKeySequence(Qt::CTRL | Qt::Key_Delete)},
       &QsoListWindow::DeleteQSO1Click},
      // QSOs are not inserted by hand; the item is there for its place in the menu.
      {"InsertQSO1", "Append QSO", {Qt::Key_Insert}, nullptr},
  };
  for (const Item& item : items) {
    auto* action = new QAction(QString::fromLatin1(item.caption), grid_);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcuts(item.keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    if (item.action)
      connect(action, &QAction::triggered, this, item.action);
    grid_->addAction(action);
  }
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void QsoListWindow::SizeColumns() {
  const QFontMetrics cells = grid_->fontMetrics();
  const QFontMetrics captions = grid_->horizontalHeader()->fontMetrics();
  constexpr int kPadding = 16;
  for (int column = 0; column < QsoListModel::kColumns; ++column) {
    int width = std::max(cells.horizontalAdvance(QString::fromLatin1(kWidestCell[column])),
                         captions.horizontalAdvance(QsoListModel::Header(column)));
    grid_->setColumnWidth(column, width + kPadding);
  }
}

void QsoListWindow::SelectRow(int row) {
  QModelIndex index = model_->index(row, 0);
  grid_->setCurrentIndex(index);
  grid_->scrollTo(index);
}

int QsoListWindow::SelectedQso() const {
  int qsos = static_cast<int>(services_.session.log().QSOLog().size());
  if (qsos == 0)
    return -1;
  int row = grid_->currentIndex().row();
  return row >= 0 && row < qsos ? row : -1;
}

void QsoListWindow::EditQSO1Click() {
  int row = SelectedQso();
  if (row >= 0)
    Q_EMIT editRequested(static_cast<std::size_t>(row));
}

void QsoListWindow::DeleteQSO1Click() {
  int row = SelectedQso();
  if (row < 0)
    return;
  const std::size_t index = static_cast<std::size_t>(row);
  if (!services_.notifier.AskYesNo(
          DeleteQsoQuestion(index + 1, services_.session.log().QSOLog()[index])))
    return;
  // The list is drawn once, after the whole log is written again.
  grid_->setUpdatesEnabled(false);
  Guarded(services_.notifier, [&] { services_.session.DeleteQso(index); });
  grid_->setUpdatesEnabled(true);
}

void QsoListWindow::QsoAppended(std::size_t index) {
  model_->Appended(index);
  SelectRow(static_cast<int>(index));
}

void QsoListWindow::QsoChanged(std::size_t index) {
  model_->Changed(index);
}

void QsoListWindow::LogReplaced() {
  int row = grid_->currentIndex().row();
  model_->Replaced();
  int last = model_->rowCount() - 1;
  // The log's load selects its last QSO; later changes keep the row where it was.
  SelectRow(loaded_ && row >= 0 && row <= last ? row : last);
  loaded_ = true;
}

}  // namespace mirva
