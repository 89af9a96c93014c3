#include "dialogs/summary_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/report_preview_dialog.h"
#include "guarded.h"
#include "session/clock.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/report_fields.h"
#include "workspace/workspace.h"

namespace mirva {

SummaryDialog::SummaryDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      ContestNameLbl_(NewContestNameLabel(this, false)),
      eCall_(NewHeaderEdit(this, "eCall")),
      eClass_(NewHeaderEdit(this, "eClass")),
      ePeriod_(NewHeaderEdit(this, "ePeriod")),
      lbOperators_(new QListWidget(this)),
      mAddress_(NewHeaderMemo(this, "mAddress")),
      mEquipment_(NewHeaderMemo(this, "mEquipment")),
      mComments_(NewHeaderMemo(this, "mComments")),
      PopupMenu1_(new QMenu(this)) {
  setObjectName(QStringLiteral("TStandardReportWin"));
  setWindowTitle(QStringLiteral("Create report"));
  KeepUpperCase(eClass_);
  lbOperators_->setObjectName(QStringLiteral("lbOperators"));
  lbOperators_->installEventFilter(this);
  connect(lbOperators_, &QListWidget::itemDoubleClicked, this, &SummaryDialog::EditButtonClick);
  BuildPopupMenu();
  BuildLayout();
}

QPushButton* SummaryDialog::AddButton(const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  // Enter edits in the operator list; it presses no button.
  button->setAutoDefault(false);
  return button;
}

void SummaryDialog::BuildPopupMenu() {
  PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  auto add = [this](const char* caption, QKeySequence key, void (SummaryDialog::*click)()) {
    QAction* item = PopupMenu1_->addAction(QString::fromLatin1(caption));
    item->setShortcut(key);
    item->setShortcutContext(Qt::WidgetShortcut);
    lbOperators_->addAction(item);
    connect(item, &QAction::triggered, this, click);
  };
  add("Add record", QKeySequence(Qt::Key_Insert), &SummaryDialog::AddButtonClick);
  add("Edit record", QKeySequence(), &SummaryDialog::EditButtonClick);
  add("Delete record", QKeySequence(Qt::Key_Delete), &SummaryDialog::RemoveButtonClick);
  lbOperators_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lbOperators_, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { PopupMenu1_->popup(lbOperators_->viewport()->mapToGlobal(at)); });
}

void SummaryDialog::BuildLayout() {
  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* caption, QWidget* control) {
    return AddHeaderRow(*grid, row++, 0, caption, control);
  };
  AddContestRow(*grid, row++, ContestNameLbl_, 1);
  add("Callsign", eCall_);
  add("Class", eClass_);
  add("Valid period", ePeriod_);

  QPushButton* add_button = AddButton("AddButton", "Add");
  QPushButton* edit_button = AddButton("EditButton", "Edit");
  QPushButton* remove_button = AddButton("RemoveButton", "Remove");
  connect(add_button, &QPushButton::clicked, this, &SummaryDialog::AddButtonClick);
  connect(edit_button, &QPushButton::clicked, this, &SummaryDialog::EditButtonClick);
  connect(remove_button, &QPushButton::clicked, this, &SummaryDialog::RemoveButtonClick);
  auto* operators = new QWidget(this);
  auto* operators_row = new QHBoxLayout(operators);
  operators_row->setContentsMargins(0, 0, 0, 0);
  auto* operator_buttons = new QVBoxLayout;
  for (QPushButton* button : {add_button, edit_button, remove_button})
    operator_buttons->addWidget(button);
  operator_buttons->addStretch();
  operators_row->addWidget(lbOperators_);
  operators_row->addLayout(operator_buttons);
  lbOperators_->setFixedHeight(lbOperators_->fontMetrics().lineSpacing() * 5 + 8);
  add("Operators", operators)->setBuddy(lbOperators_);
  lbOperators_->setAccessibleName(QStringLiteral("Operators"));
  add("Address", mAddress_);
  add("Equipment/antenna(s):", mEquipment_);
  add("Contest comments:", mComments_);
  grid->setColumnMinimumWidth(1, 360);

  QPushButton* report = AddButton("Button4", "Generate report");
  QPushButton* summary = AddButton("Button6", "Generate summary");
  QPushButton* close_button = AddButton("Button5", "Close");
  connect(report, &QPushButton::clicked, this, [this] { Generate(false); });
  connect(summary, &QPushButton::clicked, this, [this] { Generate(true); });
  connect(close_button, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {report, summary, close_button})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ChainTabOrder({eCall_, eClass_, ePeriod_, lbOperators_, add_button, edit_button, remove_button,
                 mAddress_, mEquipment_, mComments_, report, summary, close_button});
}

void SummaryDialog::ShowStandardReportWin() {
  RestoreState();
  const Session& session = services_.session;
  ShowContestName(ContestNameLbl_, session);
  eCall_->setText(ToQt(session.StationCfg().Call));
  eCall_->setFocus();
  open();
}

void SummaryDialog::hideEvent(QHideEvent* event) {
  if (!previewing_)
    StoreState();
  QDialog::hideEvent(event);
}

bool SummaryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbOperators_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      EditButtonClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SummaryDialog::RestoreState() {
  RestoreTexts(services_.workspace.settings().summary,
               {eCall_, eClass_, ePeriod_, mAddress_, mComments_, mEquipment_});
  Session& session = services_.session;
  operators_ = ReadOperators(session.fs(), session.PathOf(kOperatorsFileName));
  lbOperators_->clear();
  for (const TOperator& op : operators_)
    lbOperators_->addItem(ToQt(OperatorLine(op)));
}

void SummaryDialog::StoreState() {
  StoreTexts(services_.workspace, services_.notifier, kWorkspaceSummarySection,
             {eCall_, eClass_, ePeriod_, mAddress_, mComments_, mEquipment_});
  Session& session = services_.session;
  Guarded(services_.notifier,
          [&] { WriteOperators(session.fs(), session.PathOf(kOperatorsFileName), operators_); });
}

void SummaryDialog::AddButtonClick() {
  editing_ = -1;
  Q_EMIT addOperatorRequested();
}

void SummaryDialog::EditButtonClick() {
  int row = lbOperators_->currentRow();
  if (row < 0 || row >= static_cast<int>(operators_.size()))
    return;
  editing_ = row;
  Q_EMIT editOperatorRequested(operators_[static_cast<std::size_t>(row)]);
}

void SummaryDialog::RemoveButtonClick() {
  int row = lbOperators_->currentRow();
  if (row < 0 || row >= static_cast<int>(operators_.size()))
    return;
  operators_.erase(operators_.begin() + row);
  delete lbOperators_->takeItem(row);
}

void SummaryDialog::OperatorEntered(const TOperator& op) {
  if (editing_ < 0 || editing_ >= static_cast<int>(operators_.size())) {
    operators_.push_back(op);
    lbOperators_->addItem(ToQt(OperatorLine(op)));
    return;
  }
  operators_[static_cast<std::size_t>(editing_)] = op;
  lbOperators_->item(editing_)->setText(ToQt(OperatorLine(op)));
}

ReportHeader SummaryDialog::ReadHeader() const {
  ReportHeader header;
  header.Call = ReportText(eCall_->text(), "callsign");
  header.Class = ReportText(eClass_->text(), "class");
  header.Period = ReportText(ePeriod_->text(), "valid period");
  header.Address = MemoLines(*mAddress_, "address");
  header.Equipment = MemoLines(*mEquipment_, "equipment");
  header.Comments = MemoLines(*mComments_, "comments");
  header.Operators = operators_;
  return header;
}

void SummaryDialog::Generate(bool summary) {
  PreviewReport report{
      {}, summary ? QStringLiteral("sum") : QStringLiteral("all"), summary ? 3 : 2, {}};
  bool built = Guarded(services_.notifier, [&] {
    const Session& session = services_.session;
    ReportHeader header = ReadHeader();
    report.call = header.Call;
    report.lines = summary ? BuildSummarySheet(session, header, services_.clock.Now().date)
                           : BuildAllReport(session, header);
  });
  if (!built)
    return;
  previewing_ = true;
  hide();
  Q_EMIT reportBuilt(report);
}

void SummaryDialog::PreviewClosed() {
  if (!previewing_)
    return;
  open();
  previewing_ = false;
}

}  // namespace mirva
