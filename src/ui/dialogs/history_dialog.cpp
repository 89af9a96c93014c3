#include "dialogs/history_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "guarded.h"
#include "session/notifier.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "workspace/workspace.h"

namespace mirva {

HistoryDialog::HistoryDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      files_(new QListWidget(this)),
      add_(new QPushButton(QStringLiteral("&Add..."), this)),
      remove_(new QPushButton(QStringLiteral("&Remove"), this)) {
  setObjectName(QStringLiteral("THistoryDlg"));
  setWindowTitle(QStringLiteral("Call history"));
  files_->setObjectName(QStringLiteral("lbFiles"));
  auto* label = new QLabel(QStringLiteral("&Files, a later one's values winning:"), this);
  label->setBuddy(files_);
  files_->setAccessibleName(QStringLiteral("Call history files"));
  add_->setObjectName(QStringLiteral("bAdd"));
  add_->setAccessibleName(QStringLiteral("Add"));
  remove_->setObjectName(QStringLiteral("bRemove"));
  remove_->setAccessibleName(QStringLiteral("Remove"));
  connect(add_, &QPushButton::clicked, this, &HistoryDialog::AddClick);
  connect(remove_, &QPushButton::clicked, this, &HistoryDialog::RemoveClick);
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &HistoryDialog::Button1Click);
  auto* side = new QVBoxLayout;
  side->addWidget(add_);
  side->addWidget(remove_);
  side->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(files_, 1);
  row->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(row);
  layout->addWidget(buttons);
  resize(560, 260);
}

void HistoryDialog::showEvent(QShowEvent* event) {
  files_->clear();
  std::vector<std::string> stored = HistoryPaths(services_.workspace.settings().history_files);
  QStringList paths;
  for (const std::string& path : stored)
    paths << ToQt(path);
  AddFiles(paths);
  QDialog::showEvent(event);
  files_->setFocus();
}

void HistoryDialog::ShowReports(const std::vector<HistoryFileReport>& reports) {
  reports_ = reports;
  for (int i = 0; i < files_->count(); ++i) {
    QListWidgetItem* item = files_->item(i);
    item->setToolTip(QString());
    for (const HistoryFileReport& report : reports_) {
      if (report.file == PathText(Cp1251ToUtf8(FromQt(item->text()))))
        item->setToolTip(ToQt(HistoryReportText(report)));
    }
  }
}

void HistoryDialog::AddFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    if (!path.trimmed().isEmpty() && files_->findItems(path, Qt::MatchExactly).isEmpty())
      files_->addItem(path);
  }
  ShowReports(reports_);
  if (files_->count() > 0 && !files_->currentItem())
    files_->setCurrentRow(0);
}

QStringList HistoryDialog::Files() const {
  QStringList paths;
  for (int i = 0; i < files_->count(); ++i)
    paths << files_->item(i)->text();
  return paths;
}

void HistoryDialog::AddClick() {
  AddFiles(QFileDialog::getOpenFileNames(this, QStringLiteral("Call history files"), QString(),
                                         QStringLiteral("Call history (*.txt *.csv);;All (*)")));
  files_->setFocus();
}

void HistoryDialog::RemoveClick() {
  delete files_->takeItem(files_->currentRow());
  files_->setFocus();
}

void HistoryDialog::Button1Click() {
  std::vector<std::string> paths;
  for (const QString& path : Files()) {
    // The working directory's settings are Windows-1251: a path it cannot spell is not kept.
    if (ToQt(FromQt(path)) != path) {
      services_.notifier.ShowRefusal(
          FromQt(QStringLiteral("The path \"%1\" has letters the settings cannot keep; move or "
                                "rename the file.")
                     .arg(path)));
      return;
    }
    paths.push_back(FromQt(path));
  }
  if (Guarded(services_.notifier,
              [&] { services_.workspace.SetHistoryFiles(HistoryPathsText(paths)); }))
    accept();
}

}  // namespace mirva
