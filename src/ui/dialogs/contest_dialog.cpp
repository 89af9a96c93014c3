#include "dialogs/contest_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/notifier.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"

namespace mirva {

ContestDialog::ContestDialog(AppServices services, QWidget* parent)
    : QDialog(parent), services_(services), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("TContestSelectWin"));
  setWindowTitle(QStringLiteral("Contest"));
  list_->setObjectName(QStringLiteral("lbContestList"));
  list_->setAccessibleName(QStringLiteral("Contests"));
  auto* caption = new QLabel(QStringLiteral("&Contests"), this);
  caption->setBuddy(list_);
  auto [buttons, select, cancel] = AddDialogButtons(*this, QStringLiteral("Select"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &ContestDialog::Button1Click);
  // Enter reaches "Select" as the default button; a double-click chooses too.
  connect(list_, &QListWidget::itemDoubleClicked, this, &ContestDialog::Button1Click);
  resize(360, 420);

  FillList();
  auto settings = OpenStoredSettings();
  settings->beginGroup(kContestSection);
  services_.session.SetContestIndex(settings->value(kContestIndexKey, 0).toInt());
}

void ContestDialog::FillList() {
  Session& session = services_.session;
  session.LoadCatalogue();
  list_->clear();
  const std::vector<std::string>& catalogue = session.ContestCatalogue();
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(catalogue[i]), list_);
    CatalogueLine line = CheckCatalogueLine(catalogue[i]);
    if (line.rules)
      continue;
    item->setText(item->text() +
                  QStringLiteral("  (names no contest: %1)").arg(ToQt(line.problem)));
    item->setToolTip(ToQt(UnusableCatalogueLineMessage(i, line)));
    item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
  }
}

void ContestDialog::showEvent(QShowEvent* event) {
  FillList();
  list_->setCurrentRow(services_.session.ContestIndex());
  list_->setFocus();
  QDialog::showEvent(event);
}

void ContestDialog::Button1Click() {
  int row = list_->currentRow();
  if (row < 0)
    return;
  const std::vector<std::string>& catalogue = services_.session.ContestCatalogue();
  CatalogueLine line = CheckCatalogueLine(catalogue.at(static_cast<std::size_t>(row)));
  if (!line.rules) {
    services_.notifier.ShowError(UnusableCatalogueLineMessage(static_cast<std::size_t>(row), line));
    list_->setFocus();
    return;
  }
  services_.session.SetContestIndex(row);
  auto settings = OpenStoredSettings();
  settings->beginGroup(kContestSection);
  settings->setValue(kContestIndexKey, row);
  accept();
}

}  // namespace mirva
