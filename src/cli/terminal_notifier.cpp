#include "terminal_notifier.h"

#include <cstdio>

#include "text/cp1251.h"

namespace mirva {

void TerminalNotifier::ShowMessage(const std::string& text) {
  std::fprintf(stderr, "%s\n", Cp1251ToUtf8(text).c_str());
}

void TerminalNotifier::ShowError(const std::string& text) {
  if (divert_)
    return divert_(text);
  std::fprintf(stderr, "Error: %s\n", Cp1251ToUtf8(text).c_str());
}

bool TerminalNotifier::AskYesNo(const std::string& text) {
  std::fprintf(stderr, "%s %s\n", Cp1251ToUtf8(text).c_str(), answer_ ? "Yes" : "No");
  return answer_;
}

}  // namespace mirva
