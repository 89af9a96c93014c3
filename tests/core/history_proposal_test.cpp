#include <gtest/gtest.h>

#include "history/call_history.h"
#include "session/qso_entry.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kHistory[] =
    "!!Order!!,Call,Name,CqZone,ITUZone,State,Power,Exch1,UserText\n"
    "JA1ABC,Taro,24,,,,,old QTH\n"
    "JA4ABC,Ken,23\n"
    "DL2ABC,,,29,,,,\n"
    "K1ABC,Al,,,NH,,,\n"
    "UA3ABC,,,,,,TV\n"
    "DL3ABC,,,,,,BY\n"
    "JA2ABC,,,,,100\n"
    "F5ABC,,,,,,75\n";

class HistoryProposalTest : public SessionTest {
 protected:
  CallHistory history;

  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_EQ(history.Add("h.txt", kHistory).problem, "");
  }
};

// The log's earlier QSO wins over the history, the history over the rules' own fallback; the
// history never proposes where the rules take no fixed exchange from the station.
TEST_F(HistoryProposalTest, LogThenHistoryThenTheRules) {
  struct Case {
    const char *contest, *own, *call;
    bool with_history;
    const char* previous;  // what the log's earlier QSO received; null when none
    bool full;
    const char* expected;
  } cases[] = {
      {"CQ WW DX Contest (CW)", "DL1ABC", "JA1ABC", false, nullptr, false, "25"},
      {"CQ WW DX Contest (CW)", "DL1ABC", "JA1ABC", true, nullptr, false, "24"},
      {"CQ WW DX Contest (CW)", "DL1ABC", "ja1abc", true, nullptr, true, "24"},
      {"CQ WW DX Contest (CW)", "DL1ABC", "JA1ABC", true, "23", true, "23"},
      {"CQ WW DX Contest (CW)", "DL1ABC", "JA3XYZ", true, nullptr, true, "25"},
      {"YU DX Contest", "DL1ABC", "DL2ABC", true, nullptr, true, "29"},
      {"YU DX Contest", "DL1ABC", "DL4ABC", true, nullptr, true, "28"},
      {"ARRL International DX Contest (CW)", "DL1ABC", "K1ABC", true, nullptr, true, "NH"},
      {"ARRL International DX Contest (CW)", "K1XX", "JA2ABC", true, nullptr, true, "100"},
      {"ARRL International DX Contest (CW)", "DL1ABC", "K1ABC", true, "MA", true, "MA"},
      {"Russian DX contest", "DL1ABC", "UA3ABC", true, nullptr, true, "TV"},
      {"Russian DX contest", "DL1ABC", "UA3ABC", false, nullptr, true, "MA"},
      {"Russian DX contest", "DL1ABC", "DL3ABC", true, nullptr, true, ""},
      {"REF contest (CW) Non France station", "DL1ABC", "F5ABC", true, nullptr, false, "75"},
      {"CQ WW WPX Contest (CW)", "DL1ABC", "JA1ABC", true, nullptr, true, ""},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own);
    session.SetCallHistory(c.with_history ? &history : nullptr);
    TQSODataArr previous;
    if (c.previous)
      previous.push_back(Qso(c.call, "20", "CW", c.previous));
    std::string proposed = c.full ? session.PredictReceivedExchange(c.call, previous)
                                  : session.PredictReceivedExchange(c.call);
    EXPECT_EQ(proposed, c.expected) << c.contest << " " << c.call << " " << c.full;
  }
}

// The history's proposal fills an empty exchange or replaces the entry's own proposal, never
// what was typed; the log's earlier QSO replaces it. The entry shows the history's name and
// text for the callsign as typed.
TEST_F(HistoryProposalTest, EntryNeverOverwritesTypedText) {
  FixedClock clock{{46000, "12:00"}};
  QsoEntry entry{session, clock};
  Setup("CQ WW DX Contest (CW)", "DL1ABC");
  session.SetCallHistory(&history);
  entry.Activate();
  session.SaveQso(Qso("JA1ABC", "15", "CW", "22"));

  entry.Call = "JA1AB";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "25");
  EXPECT_EQ(entry.view.HistoryName, "");
  entry.Call = "JA1ABC";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "24");
  EXPECT_TRUE(entry.RcvdIsProposed());
  EXPECT_EQ(entry.view.HistoryName, "Taro");
  EXPECT_EQ(entry.view.HistoryText, "old QTH");
  entry.CallExited();  // the log's own QSO replaces the history's proposal
  EXPECT_EQ(entry.NumberRcvd, "22");

  entry.Call = "JA4ABC";
  entry.CallChanged();
  EXPECT_EQ(entry.NumberRcvd, "23");
  entry.NumberRcvd = "21";
  entry.RcvdChanged();
  entry.CallExited();
  EXPECT_EQ(entry.NumberRcvd, "21");
  EXPECT_FALSE(entry.RcvdIsProposed());
  EXPECT_EQ(entry.view.HistoryName, "Ken");

  session.SetCallHistory(nullptr);
  entry.ShowHistory();
  EXPECT_EQ(entry.view.HistoryName, "");
}

}  // namespace
}  // namespace mirva
