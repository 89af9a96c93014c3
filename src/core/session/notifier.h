#pragma once

#include <string>

namespace mirva {

/// The operator's message boxes: the program shows dialogs, the command line prints, tests
/// record. Texts are Windows-1251.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;
  /// Tells why an action was refused, in an error box whose one button is "Cancel".
  virtual void ShowRefusal(const std::string& text) { ShowError(text); }
  /// Asks a yes/no question; true for yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

/// Shows nothing and answers every question with yes: for benchmarks and fuzzing.
class SilentNotifier : public Notifier {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
};

}  // namespace mirva
