#include "widgets/adif_format_choice.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mirva {

AdifFormatChoice::AdifFormatChoice(QWidget* parent)
    : QGroupBox(QStringLiteral("ADIF format"), parent),
      standard_(new QRadioButton(QStringLiteral("Standard ADIF 3.1.4 (UTF-8)"), this)) {
  setObjectName(QStringLiteral("gbAdifFormat"));
  standard_->setObjectName(QStringLiteral("rbStandardAdif"));
  auto* own = new QRadioButton(QStringLiteral("The program's own ADIF"), this);
  own->setObjectName(QStringLiteral("rbOwnAdif"));
  own->setChecked(true);
  auto* note = new QLabel(QStringLiteral("Standard ADIF 3.1.4 is what other loggers, LoTW, "
                                         "Club Log and QRZ read. The program's own ADIF is its "
                                         "described layout, for readers made for it."),
                          this);
  note->setObjectName(QStringLiteral("lblAdifFormat"));
  note->setWordWrap(true);
  for (QWidget* control : std::initializer_list<QWidget*>{standard_, own})
    control->setAccessibleDescription(note->text());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(standard_);
  layout->addWidget(own);
  layout->addWidget(note);
}

AdifKind AdifFormatChoice::Kind() const {
  return standard_->isChecked() ? AdifKind::kStandard : AdifKind::kOwn;
}

}  // namespace mirva
