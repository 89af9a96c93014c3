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
  /// Asks a yes/no question; true for yes.
  virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace mirva
