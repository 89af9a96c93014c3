#include "cli.h"
#include "log/input_rule.h"
#include "text/cp1251.h"

namespace mirva {

std::optional<std::string> TakeInputOption(CliContext& cli, std::string_view name,
                                           const InputField& field) {
  std::optional<std::string> typed = cli.TakePathOption(name);
  if (!typed)
    return std::nullopt;
  CheckedInput checked = CheckInput(field, *typed);
  if (checked.fault != InputFault::kNone)
    throw UsageError(std::string(name) + ": " + Cp1251ToUtf8(checked.message));
  return checked.text;
}

}  // namespace mirva
