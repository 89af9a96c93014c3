#include "widgets/field_input_validator.h"

#include <algorithm>

namespace mirva {

FieldInputValidator::FieldInputValidator(const InputField& field, bool upper_case, QObject* parent)
    : QValidator(parent), field_(field), upper_case_(upper_case) {}

QValidator::State FieldInputValidator::validate(QString& input, int& pos) const {
  if (upper_case_) {
    input = input.toUpper();
    pos = std::min(pos, static_cast<int>(input.size()));
  }
  if (CheckInput(field_, input.toStdString()).fault != InputFault::kNone)
    return Invalid;
  return Acceptable;
}

}  // namespace mirva
