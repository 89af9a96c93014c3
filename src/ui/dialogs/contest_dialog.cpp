#include "dialogs/contest_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "guarded.h"
#include "session/notifier.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "workspace/workspace.h"

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
  // The log's contest is highlighted; the first line when it has none yet.
  const std::vector<std::string>& catalogue = services_.session.ContestCatalogue();
  auto line = std::find(catalogue.begin(), catalogue.end(), services_.workspace.settings().contest);
  list_->setCurrentRow(line == catalogue.end() ? 0 : static_cast<int>(line - catalogue.begin()));
  list_->setFocus();
  QDialog::showEvent(event);
}

void ContestDialog::Button1Click() {
  int row = list_->currentRow();
  if (row < 0)
    return;
  const std::string name = services_.session.ContestCatalogue().at(static_cast<std::size_t>(row));
  CatalogueLine line = CheckCatalogueLine(name);
  if (!line.rules) {
    services_.notifier.ShowError(UnusableCatalogueLineMessage(static_cast<std::size_t>(row), line));
    list_->setFocus();
    return;
  }
  bool chosen = false;
  Guarded(services_.notifier, [&] { chosen = services_.workspace.ChooseContest(name); });
  if (chosen)
    accept();
  else
    list_->setFocus();
}

}  // namespace mirva
