#include "windows/worked_calls_window.h"

#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>
#include <QVBoxLayout>

#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

void WorkedCallsModel::SetCalls(std::vector<WorkedCall> calls) {
  // A key that leaves the matches as they were redraws nothing.
  if (calls == calls_)
    return;
  beginResetModel();
  calls_ = std::move(calls);
  endResetModel();
}

int WorkedCallsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, static_cast<int>(calls_.size()));
}

int WorkedCallsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1;
}

QVariant WorkedCallsModel::data(const QModelIndex& index, int role) const {
  if (index.row() >= static_cast<int>(calls_.size()))
    return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
  const WorkedCall& call = calls_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return ToQt(call.Call);
    case Qt::ForegroundRole:
      return call.Dupe ? QApplication::palette().color(QPalette::WindowText) : QColor(Qt::blue);
    case Qt::FontRole: {
      QFont font;
      font.setBold(!call.Dupe);
      return font;
    }
    default:
      return {};
  }
}

// The window shows what the entry window hands it, and needs nothing of the session.
WorkedCallsWindow::WorkedCallsWindow(AppServices /*services*/, QWidget* parent)
    : ToolWindow(kCallsSection, QStringLiteral("Calls"), parent), sgCalls_(new QTableView(this)) {
  setObjectName(QStringLiteral("TWorkedCallsWin"));
  sgCalls_->setObjectName(QStringLiteral("sgCalls"));
  sgCalls_->setAccessibleName(QStringLiteral("Calls"));
  sgCalls_->setModel(&model_);
  sgCalls_->horizontalHeader()->hide();
  sgCalls_->verticalHeader()->hide();
  sgCalls_->horizontalHeader()->setStretchLastSection(true);
  sgCalls_->verticalHeader()->setDefaultSectionSize(sgCalls_->fontMetrics().height() + 4);
  sgCalls_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgCalls_->setSelectionMode(QAbstractItemView::NoSelection);
  sgCalls_->setShowGrid(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sgCalls_);
  resize(140, 220);
}

void WorkedCallsWindow::ShowWorkedCalls(const std::vector<WorkedCall>& calls) {
  model_.SetCalls(calls);
}

}  // namespace mirva
