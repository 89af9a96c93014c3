#pragma once

#include "session/notifier.h"

class QWidget;

namespace mirva {

/// The operator's message boxes as Qt dialogs over the active window.
class QtNotifier : public Notifier {
 public:
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowRefusal(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
};

}  // namespace mirva
