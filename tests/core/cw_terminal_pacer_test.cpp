#include "link/cw_terminal_pacer.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

/// Runs the steps and writes down what each gave: a tick as the character sent (or "-")
/// with the next interval, a key as the interval after it.
std::string Drive(std::string_view steps, std::string text) {
  CwTerminalPacer pacer;
  pacer.SetText(std::move(text));
  std::string out;
  for (char step : steps) {
    if (step == 't') {
      std::optional<char> sent = pacer.Tick();
      out += (sent ? std::string(1, *sent) : "-") + std::to_string(pacer.interval_ms()) + " ";
    } else {
      pacer.Typed();
      out += "k" + std::to_string(pacer.interval_ms()) + " ";
    }
  }
  return out;
}

TEST(CwTerminalPacer, SendsACharacterPerTickAndWaitsForTyping) {
  struct Case {
    const char* name;
    std::string text;
    std::string_view steps;
    std::string out;
  } cases[] = {
      {"pasted text", "AB", "tttt", "A250 B250 -10 -10 "},
      {"typing ahead", "AB", "tkt", "A250 k500 B250 "},
      {"key in an idle terminal", "", "kt", "k10 -10 "},
      {"key after the last character", "A", "tk", "A250 k250 "},
      {"command bytes pass as they are", "~[", "tt", "~250 [250 "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Drive(c.steps, c.text), c.out) << c.name;
}

TEST(CwTerminalPacer, TextTypedMeanwhileIsSentNext) {
  CwTerminalPacer pacer;
  pacer.SetText("A");
  EXPECT_EQ(pacer.Tick(), 'A');
  pacer.SetText("BC");
  EXPECT_EQ(pacer.Tick(), 'B');
  EXPECT_EQ(pacer.text(), "C");
}

}  // namespace
}  // namespace mirva
