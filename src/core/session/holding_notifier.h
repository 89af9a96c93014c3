#pragma once

#include <string>
#include <vector>

#include "session/notifier.h"

namespace mirva {

/// Passes the operator's messages on to another notifier, except while a Hold is open: then
/// they wait, and the end of the outermost Hold shows them in the order they came. An
/// operation holds what it has to tell, so that no box opens while its state is half-changed.
class HoldingNotifier : public Notifier {
 public:
  explicit HoldingNotifier(Notifier& shown) : shown_(&shown) {}
  HoldingNotifier(const HoldingNotifier&) = delete;
  HoldingNotifier& operator=(const HoldingNotifier&) = delete;

  /// Holds the messages while it lives; holds nest.
  class Hold {
   public:
    explicit Hold(HoldingNotifier& notifier);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    HoldingNotifier& notifier_;
  };

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowRefusal(const std::string& text) override;
  /// Asks at once. Questions come before an operation: throws std::logic_error, asking
  /// nothing, while a Hold is open, since the answer would come before what is held.
  bool AskYesNo(const std::string& text) override;

  bool holding() const { return holds_ > 0; }

 private:
  enum class Box { kMessage, kError, kRefusal };
  struct Held {
    Box box;
    std::string text;
  };

  void Tell(Box box, const std::string& text);
  void Show(const Held& held);
  void Release();

  Notifier* shown_;
  int holds_ = 0;
  std::vector<Held> held_;
};

}  // namespace mirva
