#include "dialogs/operator_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "log/input_rule.h"
#include "session/notifier.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_fields.h"

namespace mirva {

OperatorDialog::OperatorDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      fields_{{{"eName", "Name", &TOperator::Name, TOperator::kNameLength, false},
               {"eLastName", "Last name", &TOperator::LastName, TOperator::kLastNameLength, false},
               {"eSecName", "Second name", &TOperator::SecName, TOperator::kSecNameLength, false},
               {"eCall", "Home call", &TOperator::Call, TOperator::kCallLength, true},
               {"eSportsRange", "Sports rank", &TOperator::SportsRank, TOperator::kSportsRankLength,
                false}}} {
  setObjectName(QStringLiteral("TOperatorsWin"));
  setWindowTitle(QStringLiteral("Operator info"));
  for (Field& field : fields_) {
    field.edit = new QLineEdit(this);
    field.edit->setObjectName(QString::fromLatin1(field.name));
    field.edit->setMaxLength(static_cast<int>(field.limit));
    if (field.callsign)
      KeepUpperCase(field.edit);
  }
  BuildLayout();
}

void OperatorDialog::BuildLayout() {
  auto* form = new QFormLayout;
  for (const Field& field : fields_) {
    auto* label = new QLabel(QString::fromLatin1(field.caption), this);
    label->setBuddy(field.edit);
    field.edit->setAccessibleName(label->text());
    form->addRow(label, field.edit);
  }
  fields_[0].edit->setMinimumWidth(
      fields_[0].edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) *
      static_cast<int>(TOperator::kNameLength));
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &OperatorDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  for (std::size_t i = 1; i < fields_.size(); ++i)
    setTabOrder(fields_[i - 1].edit, fields_[i].edit);
  setTabOrder(fields_.back().edit, ok);
  setTabOrder(ok, cancel);
}

void OperatorDialog::ShowLastLeft() {
  fields_[0].edit->setFocus();
  open();
}

void OperatorDialog::ShowOperator(const TOperator& op) {
  for (const Field& field : fields_)
    field.edit->setText(ToQt(op.*field.member));
  ShowLastLeft();
}

void OperatorDialog::Button1Click() {
  TOperator op;
  for (const Field& field : fields_) {
    std::string name = QString::fromLatin1(field.caption).toLower().toStdString();
    InputField rule{name, field.limit, field.callsign};
    CheckedInput input = CheckInput(rule, field.edit->text().toStdString());
    if (input.fault != InputFault::kNone) {
      services_.notifier.ShowError("The operator is not taken: " + input.message + ".");
      field.edit->setFocus();
      field.edit->selectAll();
      return;
    }
    op.*field.member = input.text;
  }
  accept();
  Q_EMIT operatorEntered(op);
}

}  // namespace mirva
