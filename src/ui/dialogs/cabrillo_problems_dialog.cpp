#include "dialogs/cabrillo_problems_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui_text.h"
#include "widgets/dialog_buttons.h"

namespace mirva {

CabrilloProblemsDialog::CabrilloProblemsDialog(QWidget* parent)
    : QDialog(parent), caption_(new QLabel(this)), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("TCabrilloProblemsWin"));
  setWindowTitle(QStringLiteral("Cabrillo log problems"));
  caption_->setObjectName(QStringLiteral("Caption"));
  caption_->setWordWrap(true);
  list_->setObjectName(QStringLiteral("ProblemList"));
  list_->setAccessibleName(QStringLiteral("Cabrillo log problems"));
  caption_->setBuddy(list_);
  auto [buttons, save, cancel] = AddDialogButtons(*this, QStringLiteral("Save anyway"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  // Named apart from the Cabrillo window's own buttons, whose child this window is.
  save->setObjectName(QStringLiteral("SaveAnyway"));
  cancel->setObjectName(QStringLiteral("CancelSave"));
  // Enter in the list goes to the default button; the list only moves between rows.
  cancel->setAutoDefault(false);
  save->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  setTabOrder(list_, save);
  setTabOrder(save, cancel);
  resize(560, 320);
}

void CabrilloProblemsDialog::ShowProblems(const std::vector<CabrilloProblem>& problems) {
  list_->clear();
  for (const CabrilloProblem& problem : problems)
    list_->addItem(ToQt(CabrilloProblemLine(problem)));
  list_->setCurrentRow(0);
  caption_->setText(QStringLiteral("A contest sponsor's log robot would reject this log for "
                                   "what follows (%1):")
                        .arg(ToQt(CabrilloProblemCount(problems.size()))));
  list_->setFocus();
  open();
}

}  // namespace mirva
