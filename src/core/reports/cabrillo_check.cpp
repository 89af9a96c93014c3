#include "reports/cabrillo_check.h"

#include <algorithm>
#include <string_view>

#include "log/date_value.h"
#include "reports/cabrillo_v3.h"
#include "scoring/exchange_warning.h"
#include "scoring/multipliers.h"
#include "session/session.h"
#include "text/strings.h"

namespace mirva {

namespace {

bool Blank(std::string_view text) {
  return Trim(text).empty();
}

bool Has(const std::vector<std::string>& list, std::string_view value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::string Joined(const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& item : list)
    text += (text.empty() ? "" : " ") + item;
  return text;
}

/// The category words a 2.0 "CATEGORY:" line needs: they are read by position, so a blank
/// one shifts the words after it. The 3.0 tags stand alone; the power may come from the
/// operator category (QRP for a portable QRP station), as the writer takes it.
void CheckHeader(const CabrilloHeader& header, CabrilloVersion version,
                 std::vector<CabrilloProblem>& problems) {
  auto need = [&](std::string_view value, const char* what) {
    if (Blank(value))
      problems.push_back({0, std::string(what) + " is empty"});
  };
  need(header.Call, "CALLSIGN");
  if (version == CabrilloVersion::k2) {
    need(header.CategoryOperator, "the operator category of CATEGORY");
    need(header.CategoryBand, "the band category of CATEGORY");
    need(header.CategoryPower, "the power category of CATEGORY");
    return;
  }
  need(header.CategoryOperator, "CATEGORY-OPERATOR");
  need(header.CategoryBand, "CATEGORY-BAND");
  need(header.CategoryMode, "CATEGORY-MODE");
  bool qrp_portable = Trim(header.CategoryOperator).starts_with("SINGLE-OP-QRP-PORTABLE");
  if (!qrp_portable)
    need(header.CategoryPower, "CATEGORY-POWER");
}

/// A QSO logged before the one above it, to the minute.
bool Before(const TQSOData& q, const TQSOData& above) {
  if (q.QSODate != above.QSODate)
    return q.QSODate < above.QSODate;
  return HourMinuteDigits(q.QSOTime) < HourMinuteDigits(above.QSOTime);
}

std::string When(const TQSOData& q) {
  return FormatIsoDate(q.QSODate) + " " + q.QSOTime;
}

/// The problems of QSO `number` (from 1); `above` is the QSO before it, or null.
void CheckQso(const Session& session, const TContest& contest, CabrilloVersion version,
              const TQSOData& q, const TQSOData* above, std::size_t number,
              std::vector<CabrilloProblem>& problems) {
  auto add = [&](std::string text) { problems.push_back({number, std::move(text)}); };
  if (Blank(q.NumberSent))
    add("sent exchange is empty");
  if (Blank(q.NumberRcvd)) {
    add("received exchange is empty");
  } else {
    // What the entry window warns of while the exchange is typed.
    TCountry worked;
    session.FindCountry(q.Call, worked);
    std::vector<MultMatch> matches = QueryMultipliers(session.Scoring(), q, worked);
    std::string warning = ExchangeWarning(session.Scoring(), q, matches);
    if (!warning.empty())
      add(std::move(warning));
  }
  if (!Has(contest.Bands, q.Band))
    add("band " + q.Band + " is not one of this contest's bands (" + Joined(contest.Bands) + ")");
  else if (CabrilloFreq(q.Band).empty())
    add("band " + q.Band + " has no Cabrillo frequency");
  std::string code = version == CabrilloVersion::k2 ? CabrilloMode(q.Mode) : Cabrillo3Mode(q.Mode);
  if (!Has(contest.Modes, q.Mode))
    add("mode " + q.Mode + " is not one of this contest's modes (" + Joined(contest.Modes) + ")");
  else if (code.empty())
    add("mode " + q.Mode + " has no Cabrillo code");
  if (above && Before(q, *above))
    add("logged at " + When(q) + ", before QSO " + std::to_string(number - 1) + " at " +
        When(*above));
}

}  // namespace

std::vector<CabrilloProblem> CheckCabrilloLog(const Session& session, const CabrilloHeader& header,
                                              CabrilloVersion version) {
  const TContest& contest = session.Contest();
  std::vector<CabrilloProblem> problems;
  CheckHeader(header, version, problems);
  // A contest whose log goes without QSO lines has none to check.
  if (contest.CabrilloFormat != 1)
    return problems;
  TQSOData above;
  std::size_t number = 0;
  for (const TQSOData& q : session.log().QSOLog()) {
    ++number;
    CheckQso(session, contest, version, q, number > 1 ? &above : nullptr, number, problems);
    above = q;
  }
  return problems;
}

std::string CabrilloProblemLine(const CabrilloProblem& problem) {
  if (problem.qso == 0)
    return "Header: " + problem.text;
  return "QSO " + std::to_string(problem.qso) + ": " + problem.text;
}

std::string CabrilloProblemCount(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " problem" : " problems") + " found";
}

}  // namespace mirva
