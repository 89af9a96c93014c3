#pragma once

#include <QValidator>

#include "log/input_rule.h"

namespace mirva {

/// Refuses, as it is typed, what the input rule would refuse for a field of the log: a
/// character the field cannot hold or one too many. An upper-case field shows what is typed
/// in upper case.
class FieldInputValidator : public QValidator {
 public:
  FieldInputValidator(const InputField& field, bool upper_case, QObject* parent);

  State validate(QString& input, int& pos) const override;

 private:
  const InputField& field_;
  bool upper_case_;
};

}  // namespace mirva
