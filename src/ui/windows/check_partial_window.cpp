#include "windows/check_partial_window.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "guarded.h"
#include "session/clock.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

namespace {

constexpr int kMarkColumnWidth = 44;

QString ListCaption(const char* what, std::size_t shown, std::size_t total) {
  QString caption = QString::fromLatin1(what);
  if (total > shown)
    return caption + QStringLiteral(" (first %1 of %2)").arg(shown).arg(total);
  return caption + QStringLiteral(" (%1)").arg(total);
}

}  // namespace

void CheckedCallsModel::SetCalls(std::vector<CheckedCall> calls) {
  // A key that leaves the matches as they were redraws nothing.
  if (calls == calls_)
    return;
  beginResetModel();
  calls_ = std::move(calls);
  endResetModel();
}

std::string CheckedCallsModel::CallAt(int row) const {
  return row >= 0 && row < rowCount() ? calls_[static_cast<std::size_t>(row)].Call : "";
}

int CheckedCallsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(calls_.size());
}

int CheckedCallsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant CheckedCallsModel::data(const QModelIndex& index, int role) const {
  // A view may still ask after a row or column that a new list no longer has.
  if (index.parent().isValid() || index.row() < 0 || index.row() >= rowCount() ||
      index.column() < 0 || index.column() >= columnCount())
    return {};
  const CheckedCall& call = calls_[static_cast<std::size_t>(index.row())];
  QString mark = call.Dupe     ? QStringLiteral("dupe")
                 : call.Worked ? QStringLiteral("wkd")
                               : QString();
  switch (role) {
    case Qt::DisplayRole:
      return index.column() == 0 ? ToQt(call.Call) : mark;
    case Qt::AccessibleTextRole:
      return mark.isEmpty() ? ToQt(call.Call) : ToQt(call.Call) + QLatin1Char(' ') + mark;
    case Qt::ForegroundRole:
      if (call.Dupe)
        return QColor(Qt::red);
      if (call.Worked)
        return QColor(Qt::gray);
      return {};
    case Qt::FontRole: {
      if (!call.Dupe || index.column() != 0)
        return {};
      QFont font;
      font.setStrikeOut(true);
      return font;
    }
    default:
      return {};
  }
}

CheckPartialWindow::CheckPartialWindow(AppServices services, QWidget* parent)
    : ToolWindow(kCheckPartialSection, QStringLiteral("Check partial"), parent),
      services_(services),
      FileLbl_(new QLabel(this)),
      PartialLbl_(new QLabel(this)),
      NearLbl_(new QLabel(this)),
      sgPartial_(AddList("sgPartial", partial_model_)),
      sgNear_(AddList("sgNear", near_model_)) {
  setObjectName(QStringLiteral("TCheckPartialWin"));
  FileLbl_->setObjectName(QStringLiteral("FileLbl"));
  FileLbl_->setWordWrap(true);
  FileLbl_->hide();
  // A long count in a caption never widens the window.
  for (QLabel* caption : {PartialLbl_, NearLbl_})
    caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  PartialLbl_->setObjectName(QStringLiteral("PartialLbl"));
  PartialLbl_->setBuddy(sgPartial_);
  sgPartial_->setAccessibleName(QStringLiteral("Partial matches"));
  NearLbl_->setObjectName(QStringLiteral("NearLbl"));
  NearLbl_->setBuddy(sgNear_);
  sgNear_->setAccessibleName(QStringLiteral("Near calls"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(FileLbl_);
  layout->addWidget(PartialLbl_);
  layout->addWidget(sgPartial_, 1);
  layout->addWidget(NearLbl_);
  layout->addWidget(sgNear_, 1);
  setTabOrder(sgPartial_, sgNear_);
  ShowLists({});
  resize(200, 420);
  services_.session.AddListener(this);
}

CheckPartialWindow::~CheckPartialWindow() {
  services_.session.RemoveListener(this);
}

QTableView* CheckPartialWindow::AddList(const char* name, CheckedCallsModel& model) {
  auto* list = new QTableView(this);
  list->setObjectName(QString::fromLatin1(name));
  list->setModel(&model);
  list->horizontalHeader()->hide();
  list->verticalHeader()->hide();
  list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  list->horizontalHeader()->resizeSection(1, kMarkColumnWidth);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setShowGrid(false);
  list->setTabKeyNavigation(false);
  // Enter on a row, or a double-click, activates it.
  connect(list, &QAbstractItemView::activated, this, [this, &model](const QModelIndex& index) {
    std::string call = model.CallAt(index.row());
    if (!call.empty())
      Q_EMIT callChosen(ToQt(call));
  });
  return list;
}

void CheckPartialWindow::ShowCall(const std::string& call, const std::string& band,
                                  const std::string& mode) {
  call_ = call;
  band_ = band;
  mode_ = mode;
  stale_ = true;
  Refresh();
}

void CheckPartialWindow::QsoAppended(std::size_t) {
  stale_ = true;
  Refresh();
}

void CheckPartialWindow::QsoChanged(std::size_t) {
  stale_ = true;
  Refresh();
}

void CheckPartialWindow::LogReplaced() {
  stale_ = true;
  Refresh();
}

void CheckPartialWindow::ContestChanged() {
  // A newer list dropped into the working directory is read when a contest is chosen.
  file_.reset();
  stale_ = true;
  Refresh();
}

void CheckPartialWindow::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  Refresh();
}

void CheckPartialWindow::Refresh() {
  if (!stale_ || !isVisible())
    return;
  stale_ = false;
  CheckPartialView view;
  Guarded(services_.notifier, [&] {
    if (!file_)
      file_ = LoadMasterCalls(services_.session);
    if (file_->list) {
      view = CheckPartial(services_.session, *file_->list, call_, band_, mode_,
                          services_.clock.Now().time);
    }
  });
  ShowLists(view);
}

void CheckPartialWindow::ShowLists(const CheckPartialView& view) {
  // The file's line is shown when something is wrong with it.
  bool trouble = file_ && (!file_->list || file_->list->skipped_lines > 0);
  FileLbl_->setText(file_ ? ToQt(file_->status) : QString());
  FileLbl_->setVisible(trouble);
  PartialLbl_->setText(ListCaption("&Partial matches", view.Partial.size(), view.PartialTotal));
  NearLbl_->setText(ListCaption("&Near calls", view.Near.size(), view.NearTotal));
  partial_model_.SetCalls(view.Partial);
  near_model_.SetCalls(view.Near);
}

}  // namespace mirva
