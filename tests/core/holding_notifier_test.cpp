#include "session/holding_notifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirva {
namespace {

/// Every box as "kind: text", in the order shown.
class BoxLog : public Notifier {
 public:
  std::vector<std::string> shown;
  /// Runs after each box is written down, as events that arrive while it is up would.
  std::function<void()> while_shown = [] {};

  void ShowMessage(const std::string& text) override { Shown("message: " + text); }
  void ShowError(const std::string& text) override { Shown("error: " + text); }
  void ShowRefusal(const std::string& text) override { Shown("refusal: " + text); }
  bool AskYesNo(const std::string& text) override {
    Shown("question: " + text);
    return true;
  }

 private:
  void Shown(std::string box) {
    shown.push_back(std::move(box));
    while_shown();
  }
};

using Boxes = std::vector<std::string>;

// Nested holds: nothing shows until the outermost ends, then all of it in order and kind.
TEST(HoldingNotifier, ShowsWhatWasHeldWhenTheOutermostHoldEnds) {
  BoxLog boxes;
  HoldingNotifier notifier(boxes);
  {
    HoldingNotifier::Hold outer(notifier);
    notifier.ShowMessage("1");
    {
      HoldingNotifier::Hold inner(notifier);
      notifier.ShowRefusal("2");
    }
    EXPECT_EQ(boxes.shown, Boxes());
    notifier.ShowError("3");
    EXPECT_TRUE(notifier.holding());
  }
  EXPECT_FALSE(notifier.holding());
  EXPECT_EQ(boxes.shown, (Boxes{"message: 1", "refusal: 2", "error: 3"}));
  notifier.ShowMessage("4");
  EXPECT_EQ(boxes.shown.back(), "message: 4");
}

// The answer would come before what is held: the question is a fault of the caller.
TEST(HoldingNotifier, RefusesAQuestionWhileHolding) {
  BoxLog boxes;
  HoldingNotifier notifier(boxes);
  {
    HoldingNotifier::Hold hold(notifier);
    notifier.ShowError("held");
    EXPECT_THROW(notifier.AskYesNo("sure?"), std::logic_error);
  }
  EXPECT_EQ(boxes.shown, (Boxes{"error: held"}));
}

// An operation that runs while a released box is up holds and shows its own; none is lost.
TEST(HoldingNotifier, AMessageRaisedWhileAHeldOneIsUpIsShownToo) {
  BoxLog boxes;
  HoldingNotifier notifier(boxes);
  boxes.while_shown = [&] {
    if (boxes.shown.size() > 1)
      return;
    HoldingNotifier::Hold meanwhile(notifier);
    notifier.ShowMessage("meanwhile");
  };
  {
    HoldingNotifier::Hold hold(notifier);
    notifier.ShowError("first");
    notifier.ShowError("second");
  }
  EXPECT_EQ(boxes.shown, (Boxes{"error: first", "message: meanwhile", "error: second"}));
}

}  // namespace
}  // namespace mirva
