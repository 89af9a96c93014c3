#pragma once

#include <QLabel>

namespace mirva {

/// A label that shows a value beside its caption and gives a screen reader both: its
/// accessible name is "caption value" ("Score 7178"), and each change of the value is
/// announced as a change of that name.
class ValueLabel : public QLabel {
 public:
  ValueLabel(const QString& caption, const QString& value, QWidget* parent = nullptr);

  void SetValue(const QString& value);

 private:
  QString caption_;
};

}  // namespace mirva
