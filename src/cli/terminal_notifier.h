#pragma once

#include <functional>

#include "session/notifier.h"

namespace mirva {

/// Message boxes as lines on standard error; a question is answered with `answer`.
class TerminalNotifier : public Notifier {
 public:
  explicit TerminalNotifier(bool answer = false) : answer_(answer) {}
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  /// While `sink` is set, errors go to it instead of standard error.
  void DivertErrors(std::function<void(const std::string&)> sink) { divert_ = std::move(sink); }

 private:
  bool answer_;
  std::function<void(const std::string&)> divert_;
};

}  // namespace mirva
