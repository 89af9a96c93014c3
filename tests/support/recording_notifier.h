#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session/notifier.h"

namespace mirva {

/// Messages, errors (refusals among them) and questions written down instead of shown; every
/// question gets `answer`.
class RecordingNotifier : public Notifier {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> questions;
  bool answer = true;
  /// Runs while a box is up, as events that arrive meanwhile would.
  std::function<void()> while_shown = [] {};

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    while_shown();
  }
  void ShowError(const std::string& text) override {
    errors.push_back(text);
    while_shown();
  }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    while_shown();
    return answer;
  }
};

}  // namespace mirva
