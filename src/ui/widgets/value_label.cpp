#include "widgets/value_label.h"

namespace mirva {

ValueLabel::ValueLabel(const QString& caption, const QString& value, QWidget* parent)
    : QLabel(parent), caption_(caption) {
  SetValue(value);
}

void ValueLabel::SetValue(const QString& value) {
  if (value == text() && !accessibleName().isEmpty())
    return;
  setText(value);
  // The name changes only with the value, so that a reader hears each new value once.
  setAccessibleName(value.isEmpty() ? caption_ : caption_ + QLatin1Char(' ') + value);
}

}  // namespace mirva
