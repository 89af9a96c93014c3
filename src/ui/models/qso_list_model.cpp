#include "models/qso_list_model.h"

#include "log/log_store.h"
#include "models/qso_cells.h"
#include "text/strings.h"
#include "ui_text.h"

namespace mirva {

namespace {

constexpr const char* kHeaders[QsoListModel::kColumns] = {
    "Date", "Time", "Call", "Band", "Mode", "Sent", "Rcvd", "Mults", "Points", "Notes"};

std::string CellText(QsoRecordView q, int column) {
  switch (column) {
    case 0:
      return ViewDate(q.QSODate());
    case 1:
      return std::string(q.QSOTime());
    case 2:
      return std::string(q.Call());
    case 3:
      return std::string(q.Band());
    case 4:
      return std::string(q.Mode());
    case 5:
      return JoinedReport(Trim(q.RprtSent()), Trim(q.NumberSent()));
    case 6:
      return JoinedReport(Trim(q.RprtRcvd()), Trim(q.NumberRcvd()));
    case 7:
      return std::string(q.MultsText());
    case 8:
      return PointsText(q.Points(), q.Points2(), q.Points3());
    default:
      return std::string(q.Note());
  }
}

}  // namespace

QsoListModel::QsoListModel(const LogStore& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log), qsos_(log.QSOLog().size()) {}

int QsoListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid())
    return 0;
  return qsos_ == 0 ? 1 : static_cast<int>(qsos_);
}

int QsoListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant QsoListModel::data(const QModelIndex& index, int role) const {
  auto row = static_cast<std::size_t>(index.row());
  if (role != Qt::DisplayRole || !index.isValid() || row >= qsos_)
    return {};
  return ToQt(CellText(log_.QSOLog().Record(row), index.column()));
}

QString QsoListModel::Header(int column) {
  return QString::fromLatin1(kHeaders[column]);
}

QVariant QsoListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= kColumns)
    return {};
  return Header(section);
}

void QsoListModel::Appended(std::size_t index) {
  std::size_t now = log_.QSOLog().size();
  if (qsos_ == 0 && now == 1) {
    // The first QSO takes the empty row.
    qsos_ = now;
    Q_EMIT dataChanged(this->index(0, 0), this->index(0, kColumns - 1));
    return;
  }
  if (index < qsos_ || now <= qsos_)
    return Replaced();
  beginInsertRows({}, static_cast<int>(qsos_), static_cast<int>(now - 1));
  qsos_ = now;
  endInsertRows();
}

void QsoListModel::Changed(std::size_t index) {
  if (index >= qsos_)
    return;
  int row = static_cast<int>(index);
  Q_EMIT dataChanged(this->index(row, 0), this->index(row, kColumns - 1));
}

void QsoListModel::Replaced() {
  beginResetModel();
  qsos_ = log_.QSOLog().size();
  endResetModel();
}

}  // namespace mirva
