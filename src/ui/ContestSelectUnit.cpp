#include "ContestSelectUnit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"

namespace mirva {

TContestSelectWin::TContestSelectWin(AppServices services, QWidget* parent)
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
  connect(buttons, &QDialogButtonBox::accepted, this, &TContestSelectWin::Button1Click);
  connect(list_, &QListWidget::itemActivated, this, &TContestSelectWin::Button1Click);
  resize(360, 420);

  Session& session = services_.session;
  session.LoadCatalogue();
  for (const std::string& name : session.ContestCatalogue())
    list_->addItem(ToQt(name));
  auto settings = OpenStoredSettings();
  settings->beginGroup(kContestSection);
  session.SetContestIndex(settings->value(kContestIndexKey, 0).toInt());
}

void TContestSelectWin::showEvent(QShowEvent* event) {
  list_->setCurrentRow(services_.session.ContestIndex());
  list_->setFocus();
  QDialog::showEvent(event);
}

void TContestSelectWin::Button1Click() {
  int row = list_->currentRow();
  if (row < 0)
    return;
  services_.session.SetContestIndex(row);
  auto settings = OpenStoredSettings();
  settings->beginGroup(kContestSection);
  settings->setValue(kContestIndexKey, row);
  accept();
}

}  // namespace mirva
