#include "session/holding_notifier.h"

#include <stdexcept>
#include <utility>

namespace mirva {

HoldingNotifier::Hold::Hold(HoldingNotifier& notifier) : notifier_(notifier) {
  ++notifier_.holds_;
}

HoldingNotifier::Hold::~Hold() {
  if (--notifier_.holds_ == 0)
    notifier_.Release();
}

void HoldingNotifier::ShowMessage(const std::string& text) {
  Tell(Box::kMessage, text);
}

void HoldingNotifier::ShowError(const std::string& text) {
  Tell(Box::kError, text);
}

void HoldingNotifier::ShowRefusal(const std::string& text) {
  Tell(Box::kRefusal, text);
}

bool HoldingNotifier::AskYesNo(const std::string& text) {
  if (holding())
    throw std::logic_error("A question was asked while an operation was under way: " + text);
  return shown_->AskYesNo(text);
}

void HoldingNotifier::Tell(Box box, const std::string& text) {
  if (holding())
    held_.push_back({box, text});
  else
    Show({box, text});
}

void HoldingNotifier::Show(const Held& held) {
  switch (held.box) {
    case Box::kMessage:
      return shown_->ShowMessage(held.text);
    case Box::kError:
      return shown_->ShowError(held.text);
    case Box::kRefusal:
      return shown_->ShowRefusal(held.text);
  }
}

void HoldingNotifier::Release() {
  // A box waits for the operator, and an operation that runs meanwhile holds and shows its own.
  std::vector<Held> held = std::exchange(held_, {});
  for (const Held& one : held)
    Show(one);
}

}  // namespace mirva
