#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "error.h"
#include "session_fixture.h"

namespace mirva {
namespace {

constexpr char kWpx[] = "CQ WW WPX Contest (CW)";
constexpr char kCqWw[] = "CQ WW DX Contest (CW)";
constexpr char kVolta[] = "VOLTA RTTY WW Contest";
constexpr char kHelvetia[] = "Helvetia contest";
constexpr char kUba[] = "UBA DX Contest (CW)";
constexpr char kRdx[] = "Russian DX contest";
constexpr char kJidx[] = "Japan International DX Contest (LF CW)";
constexpr char kChampionship[] = "Чемпионат/Кубок России телефоном";

class ExchangeRulesTest : public SessionTest {
 protected:
  std::string Normalize(std::string_view call, std::string_view typed) {
    return session.NormalizeReceivedExchange(Qso(call, "20", "CW", typed));
  }

  /// The next sent exchange after a log whose QSOs sent these exchanges.
  std::string SentAfter(const std::vector<std::string>& sent) {
    session.ClearLog();
    for (const std::string& exchange : sent) {
      TQSOData q = Qso("G4ABC", "20", "CW", "001");
      q.NumberSent = exchange;
      session.SaveQso(q);
    }
    return session.NextSentExchange();
  }
};

// A German station working an English one: no country condition holds anywhere.
TEST_F(ExchangeRulesTest, EveryContestNormalisesAPlainNumber) {
  const std::set<std::string> as_typed = {kRdx,
                                          "CQ WW 160m DX contest (SSB)",
                                          "CQ WW 160m DX contest (CW)",
                                          "CQ WW RTTY WPX Contest",
                                          "ARRL International DX Contest (CW)",
                                          "ARRL International DX Contest (SSB)",
                                          "DARC 10m-Contest",
                                          "YU DX Contest",
                                          "SP DX Contest",
                                          "HOLYLAND DX Contest",
                                          kChampionship,
                                          "Чемпионат/Кубок России телеграфом"};
  const std::map<std::string, std::string> other = {{"GACW CW DX Contest", "07"},
                                                    {kCqWw, "07"},
                                                    {"CQ WW DX Contest (SSB)", "07"},
                                                    {kVolta, "007-"}};
  for (const ContestRules* rules : AllContestRules()) {
    std::string name = Cp1251ToUtf8(rules->name);
    Setup(name, "DL1ABC");
    std::string expected = as_typed.contains(name) ? "7" : "007";
    if (other.contains(name))
      expected = other.at(name);
    EXPECT_EQ(Normalize("G4ABC", "7"), expected) << name;
  }
}

TEST_F(ExchangeRulesTest, NormalisationByShapeAndCountry) {
  struct Case {
    const char *contest, *own, *worked, *typed, *expected;
  } cases[] = {
      {kCqWw, "DL1ABC", "JA1ABC", "", "00"},
      {"GACW CW DX Contest", "DL1ABC", "JA1ABC", "A", "0A"},
      {kWpx, "DL1ABC", "JA1ABC", "1234", "1234"},
      {kWpx, "DL1ABC", "JA1ABC", "7A", "7A"},
      {kVolta, "DL1ABC", "JA1ABC", "5-14", "005-14"},
      {kVolta, "DL1ABC", "JA1ABC", "5/14", "005-14"},
      {kHelvetia, "DL1ABC", "HB9ABC", "ZH", "ZH"},
      {"King of Spain Contest (CW)", "DL1ABC", "EA8ABC", "7", "7"},
      {"HOLYLAND DX Contest", "4X1AB", "DL1ABC", "7", "007"},
      {"SP DX Contest", "SP5ABC", "DL1ABC", "7", "007"},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own);
    EXPECT_EQ(Normalize(c.worked, c.typed), c.expected) << c.contest << " " << c.typed;
  }
}

TEST_F(ExchangeRulesTest, Prediction) {
  struct Case {
    const char *contest, *own, *call;
    const char* previous;  // what the station sent before; null when never worked
    bool full;
    const char* expected;
  } cases[] = {
      {kCqWw, "DL1ABC", "JA1ABC", nullptr, false, "25"},
      {kCqWw, "DL1ABC", "JA1ABC", "24", true, "24"},
      {"GACW CW DX Contest", "DL1ABC", " ", nullptr, true, ""},
      {kRdx, "DL1ABC", "UA3ABC", nullptr, true, "MA"},
      {kRdx, "DL1ABC", "UA3ABC", "MO", true, "MO"},
      {kRdx, "DL1ABC", "UA3ABC", nullptr, false, ""},
      {kRdx, "DL1ABC", "UA3MAB", nullptr, true, "YR"},  // the code Yaroslavl sends today
      {kRdx, "UA3ABC", "DL1ABC", "123", true, ""},
      {kJidx, "JD1MAA", "DL1ABC", nullptr, true, "14"},
      {kJidx, "DL1ABC", "JA1ABC", nullptr, true, ""},
      {kJidx, "DL1ABC", "JA1ABC", "12", true, "12"},
      {"YU DX Contest", "DL1ABC", "DL2ABC", nullptr, true, "28"},
      {"ARI International DX Contest", "DL1ABC", "IS0ABC", "CA", true, "CA"},
      {"ARRL 10 meter Contest", "DL1ABC", "KH7ABC", "HI", true, "HI"},
      {"ARRL 10 meter Contest", "DL1ABC", "XE1ABC", "DF", true, ""},
      {"CQ WW 160m DX contest (CW)", "DL1ABC", "K1ABC", "MA", true, "MA"},
      {kWpx, "DL1ABC", "JA1ABC", "123", true, ""},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own);
    TQSODataArr previous;
    if (c.previous)
      previous.push_back(Qso(c.call, "20", "CW", c.previous));
    const ContestRules* rules = session.Rules();
    std::string proposed =
        rules->predict ? rules->predict(c.call, c.full, previous, session.RuleView()) : "";
    EXPECT_EQ(proposed, c.expected) << c.contest << " " << c.own << " " << c.call << " " << c.full;
  }
}

TEST_F(ExchangeRulesTest, NextSentExchange) {
  struct Case {
    const char *contest, *own, *state;
    std::vector<std::string> sent;
    const char* expected;
  } cases[] = {
      {kWpx, "DL1ABC", "", {"001", "050"}, "051"},
      {kWpx, "DL1ABC", "", {"999"}, "1000"},
      {kVolta, "UA3ABC", "", {}, "001-16"},
      {kVolta, "UA3ABC", "", {"001-16"}, "002-16"},
      {kVolta, "UA3ABC", "", {"X-16"}, "000-16"},
      {kVolta, "UA3ABC", "", {"2147483647"}, "2147483648-16"},
      {kHelvetia, "HB9ABC", "ZH", {}, "001/ZH"},
      {kHelvetia, "HB9ABC", "ZH", {"001/ZH"}, "002/ZH"},
      {kHelvetia, "DL1ABC", "ZH", {"001"}, "002"},
      {kUba, "ON4ABC", "AN", {}, "001/AN"},
      {kUba, "ON4ABC", "AN", {"001/AN"}, "002/AN"},
      {kUba, "ON4ABC", "AN", {"041"}, "042/AN"},         // the "/" typed away
      {kUba, "ON4ABC", "AN", {"041/AN", ""}, "042/AN"},  // a QSO sent nothing
      {kChampionship, "UA3ABC", "3", {}, "3001"},
      {kChampionship, "UA3ABC", "3", {"3001"}, "3002"},
      {kChampionship, "UA3ABC", "MO", {}, "MO001"},  // a State that is no zone leads as typed
      // A QSO saved with a blank sent exchange (its proposal failed) tells nothing of the
      // number sent: the serial counts on past it.
      {kWpx, "DL1ABC", "", {"001", "050", ""}, "051"},
      {kWpx, "DL1ABC", "", {"", " "}, "001"},
      {kChampionship, "UA3ABC", "3", {"3001", ""}, "3002"},
      {kChampionship, "UA3ABC", "3", {""}, "3001"},
      {kVolta, "UA3ABC", "", {"001-16", ""}, "000-16"},  // a blank has no leading number
      {kCqWw, "UA3ABC", "", {"005"}, "16"},
      {kJidx, "JA1ABC", "10", {}, "10"},
      {kJidx, "DL1ABC", "10", {}, "14"},
      {"ARRL RTTY Round-Up Contest", "KH7ABC", "HI", {}, "001"},
      {kRdx, "UA9ABC", "NS", {"005"}, "NS"},
      {"DARC 10m-Contest", "DL1ABC", "X", {"005"}, ""},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own, c.state);
    EXPECT_EQ(SentAfter(c.sent), c.expected) << c.contest << " " << c.own << " " << c.sent.size();
  }
}

// The proposal stops and says which field to type what into.
TEST_F(ExchangeRulesTest, ALastSentExchangeThatIsNoNumberStopsTheSerial) {
  const std::string serial = " is not a serial number; type the number to send in Sent.";
  const std::string championship =
      "The sent number must be digits: the championship sends the zone number and the serial "
      "(3001, 3002, ...), and the last sent exchange ";
  struct Case {
    const char *contest, *own;
    std::vector<std::string> sent;
    std::string message;
  } cases[] = {
      {kWpx, "DL1ABC", {"MO"}, "The last sent exchange 'MO'" + serial},
      {kWpx, "DL1ABC", {"MO", ""}, "The last sent exchange 'MO'" + serial},
      {kHelvetia, "DL1ABC", {"001/ZH"}, "The last sent exchange '001/ZH'" + serial},
      {kRdx, "DL1ABC", {"1E3"}, "The last sent exchange '1E3'" + serial},
      {kChampionship,
       "UA3ABC",
       {"3001A", ""},
       championship + "'3001A' is not. Type the number to send in Sent."},
      {kUba,
       "ON4ABC",
       {"X/AN", ""},
       "The last sent exchange 'X/AN' does not start with a serial number (001/3); type the "
       "number to send in Sent."},
  };
  for (const Case& c : cases) {
    Setup(c.contest, c.own, "3");
    try {
      SentAfter(c.sent);
      ADD_FAILURE() << c.contest;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), c.message) << c.contest;
    }
  }
}

}  // namespace
}  // namespace mirva
