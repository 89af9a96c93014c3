#include "windows/group_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "group_session.h"
#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {
namespace {

constexpr const char* kColumns[] = {"Station",  "Operator", "Band",   "Mode",
                                    "Last QSO", "10 min",   "60 min", "Connected"};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

}  // namespace

void GroupStationsModel::SetRows(std::vector<GroupStationRow> rows) {
  if (rows == rows_)
    return;
  if (rows.size() == rows_.size()) {
    rows_ = std::move(rows);
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    return;
  }
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int GroupStationsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GroupStationsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant GroupStationsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
    return {};
  const GroupStationRow& row = rows_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case 0:
      return ToQt(row.station);
    case 1:
      return ToQt(row.op);
    case 2:
      return ToQt(row.band);
    case 3:
      return ToQt(row.mode);
    case 4:
      return ToQt(row.last_qso);
    case 5:
      return QString::number(row.last10);
    case 6:
      return QString::number(row.last60);
    default:
      return row.connected ? QStringLiteral("yes") : QStringLiteral("no");
  }
}

QVariant GroupStationsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kColumnCount)
    return {};
  return QString::fromLatin1(kColumns[section]);
}

GroupWindow::GroupWindow(GroupSession& group, QWidget* parent)
    : ToolWindow(kGroupSection, QStringLiteral("Group"), parent),
      group_(group),
      status_(new QLabel(this)),
      stations_(new QTableView(this)),
      notes_(new QPlainTextEdit(this)),
      note_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("TGroupWin"));
  status_->setObjectName(QStringLiteral("lGroupStatus"));
  status_->setWordWrap(true);
  stations_->setObjectName(QStringLiteral("sgStations"));
  stations_->setAccessibleName(QStringLiteral("Stations"));
  stations_->setModel(&model_);
  stations_->verticalHeader()->hide();
  stations_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  stations_->horizontalHeader()->setStretchLastSection(true);
  stations_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stations_->setSelectionMode(QAbstractItemView::NoSelection);
  notes_->setObjectName(QStringLiteral("mNotes"));
  notes_->setAccessibleName(QStringLiteral("Notes"));
  notes_->setReadOnly(true);
  notes_->setMaximumBlockCount(500);
  note_->setObjectName(QStringLiteral("eNote"));
  note_->setAccessibleName(QStringLiteral("Note to the group"));
  note_->setPlaceholderText(QStringLiteral("A note to the other operators; Enter sends it"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(status_);
  layout->addWidget(stations_, 3);
  layout->addWidget(notes_, 2);
  layout->addWidget(note_);
  resize(560, 300);
  connect(note_, &QLineEdit::returnPressed, this, &GroupWindow::SendNote);
  connect(&group_, &GroupSession::statusChanged, this, &GroupWindow::ShowStatus);
  // The table is built from the whole log: the changes that come together (a save, then its
  // echo from the broker) build it once, a moment later, not on the save's time.
  auto* soon = new QTimer(this);
  soon->setSingleShot(true);
  soon->setInterval(std::chrono::milliseconds(200));
  connect(soon, &QTimer::timeout, this, &GroupWindow::Refresh);
  connect(&group_, &GroupSession::stationsChanged, soon, [soon] {
    if (!soon->isActive())
      soon->start();
  });
  connect(&group_, &GroupSession::noteArrived, this, &GroupWindow::AddNote);
  auto* timer = new QTimer(this);
  timer->setInterval(std::chrono::seconds(5));
  connect(timer, &QTimer::timeout, this, &GroupWindow::Refresh);
  timer->start();
  ShowStatus();
}

void GroupWindow::Refresh() {
  if (isVisible())
    model_.SetRows(group_.Stations());
}

void GroupWindow::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  Refresh();
}

void GroupWindow::ShowStatus() {
  status_->setText(group_.Status());
  status_->setAccessibleName(QStringLiteral("Group ") + group_.Status());
}

void GroupWindow::AddNote(const QString& station, const QString& text) {
  notes_->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm")) +
                          QLatin1Char(' ') + station + QStringLiteral(": ") + text);
}

void GroupWindow::SendNote() {
  group_.SendNote(note_->text());
  note_->clear();
}

}  // namespace mirva
