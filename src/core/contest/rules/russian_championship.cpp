// Russian championship and cup: zone-difference points with a new-station bonus and an
// hour bonus; the same station may be worked again on a band every clock hour.
#include <cstdlib>

#include "contest/rules/definition.h"
#include "contest/rules/exchange.h"
#include "contest/rules/families.h"
#include "error.h"
#include "text/strings.h"

namespace mirva {

namespace {

// "Чемпионат/Кубок России телеграфом" and "... телефоном" in Windows-1251.
constexpr std::string_view kCwName =
    "\xD7\xE5\xEC\xEF\xE8\xEE\xED\xE0\xF2/\xCA\xF3\xE1\xEE\xEA \xD0\xEE\xF1\xF1\xE8\xE8 "
    "\xF2\xE5\xEB\xE5\xE3\xF0\xE0\xF4\xEE\xEC";
constexpr std::string_view kSsbName =
    "\xD7\xE5\xEC\xEF\xE8\xEE\xED\xE0\xF2/\xCA\xF3\xE1\xEE\xEA \xD0\xEE\xF1\xF1\xE8\xE8 "
    "\xF2\xE5\xEB\xE5\xF4\xEE\xED\xEE\xEC";

// "The State field is wrong; enter a number 1 to 5 for your zone."
constexpr char kBadStateMessage[] =
    "\xCD\xE5\xE2\xE5\xF0\xED\xEE\xE5 \xE7\xED\xE0\xF7\xE5\xED\xE8\xE5 \xE2 \xEF\xEE\xEB\xE5 "
    "State.\r\n\xC2\xE2\xE5\xE4\xE8\xF2\xE5 \xE2 \xEF\xEE\xEB\xE5 State \xF7\xE8\xF1\xEB\xEE "
    "\xEE\xF2 1 \xE4\xEE 5\r\n\xE2 \xF1\xEE\xEE\xF2\xE2\xE5\xF2\xF1\xF2\xE2\xE8\xE8 \xF1 "
    "\xE2\xE0\xF8\xE5\xE9 \xE7\xEE\xED\xEE\xE9";
// "The received number is wrong; it may hold digits only."
constexpr char kBadNumberMessage[] =
    "\xCD\xE5\xE2\xE5\xF0\xED\xEE\xE5 \xE7\xED\xE0\xF7\xE5\xED\xE8\xE5 \xE2 "
    "\xEF\xF0\xE8\xED\xFF\xF2\xEE\xEC \xED\xEE\xEC\xE5\xF0\xE5.\r\n\xCD\xEE\xEC\xE5\xF0 "
    "\xEC\xEE\xE6\xE5\xF2 \xF1\xEE\xE4\xE5\xF0\xE6\xE0\xF2\xFC \xF2\xEE\xEB\xFC\xEA\xEE "
    "\xF6\xE8\xF4\xF0\xFB.";

// Until a QSO of the log has sent one, the exchange is the station's zone number followed by
// "001"; each later one counts on from the whole number sent last (zone 3: 3001, 3002, ...).
std::string Sent(const RuleContext& s) {
  std::string last = LastGivenSentExchange(s);
  if (last.empty())
    return s.StationCfg.State + "001";
  if (!IsNumeric(last))
    throw ConversionError::Explained(
        "The sent number must be digits: the championship sends the zone number and the serial "
        "(3001, 3002, ...), and the last sent exchange " +
        ShortQuote(last) + " is not. Type the number to send in Sent.");
  return Pad3Number(static_cast<long long>(StrToInt(last)) + 1);
}

/// What the operator is told when State holds no zone of the championship, and what that costs.
std::string StateProblem(std::string_view state, std::string_view cost) {
  std::string what = Trim(state).empty() ? "State is empty" : ShortQuote(state) + " is not one";
  return "The championship sends and scores by your zone, a number from 1 to 5 in the "
         "station's State field; " +
         what + ". Until it is, " + std::string(cost) + ".";
}

std::optional<ContestSetup> Define(const RuleContext& ctx, const ContestRules& self) {
  bool cw = self.variant == "CW";
  ContestSetup setup = NewContest(ctx, self.name, "", {cw ? "CW" : "SSB"}, HF6(), true, 0);
  return setup;
}

/// Base points by how many zones apart the two stations are; a State far outside 1..5 counts
/// as five or more apart.
int32_t ZonePoints(int own_zone, int worked_zone) {
  constexpr int32_t kByDifference[] = {10, 10, 11, 13, 15};
  int64_t difference = std::abs(int64_t{own_zone} - worked_zone);
  return difference < 5 ? kByDifference[difference] : 0;
}

PointsTriple Points(const TQSOData& qso, const RuleContext& s) {
  int own_zone;
  try {
    own_zone = StrToInt(s.StationCfg.State);
  } catch (const ConversionError&) {
    return {.Problem = kBadStateMessage};
  }
  if (qso.NumberRcvd.empty() || qso.NumberRcvd[0] < '0' || qso.NumberRcvd[0] > '9')
    return {.Problem = kBadNumberMessage};
  PointsTriple points{ZonePoints(own_zone, qso.NumberRcvd[0] - '0'), 10, 100};
  if (!s.log.QsosOfCall(qso.Call).empty())
    points.Points2 = 0;
  if (s.log.HasQsoInHour(std::string_view(qso.QSOTime).substr(0, 2), qso.NumberRcvd[0]))
    points.Points3 = 0;
  return points;
}

/// The championship needs the station's zone, 1 to 5, in State.
StationFit FitOf(const TStationCFG& station) {
  if (!IsNumeric(station.State))
    return {StateProblem(station.State, "every QSO scores 0 points"), true};
  int32_t zone = StrToInt(station.State);
  if (zone < 1 || zone > 5)
    return {StateProblem(station.State,
                         "the QSOs are scored as if your zone were " + std::to_string(zone))};
  return {};
}

/// The championship in one mode; both share every rule and the Russian report forms.
constexpr ContestRules Championship(std::string_view name, std::string_view variant) {
  return {.name = name,
          .variant = variant,
          .define = Define,
          .dupe = DupeRule::kHour,
          .points = Points,
          .sent = Sent,
          .station_fit = FitOf,
          .report = ReportLayout::kRussian};
}

constexpr ContestRules kContests[] = {Championship(kSsbName, "SSB"), Championship(kCwName, "CW")};

}  // namespace

std::span<const ContestRules> RussianChampionshipContests() {
  return kContests;
}

}  // namespace mirva
