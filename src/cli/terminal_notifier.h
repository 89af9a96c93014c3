#pragma once

#include "session/notifier.h"

namespace mirva {

/// Message boxes as lines on standard error; a question is answered with `answer`.
class TerminalNotifier : public Notifier {
 public:
  explicit TerminalNotifier(bool answer = false) : answer_(answer) {}
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  bool answer_;
};

}  // namespace mirva
