#include "reports/cabrillo.h"

#include <utility>

#include "log/date_value.h"
#include "program_version.h"
#include "session/session.h"
#include "text/c_format.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Lookup(std::string_view key,
                   std::initializer_list<std::pair<const char*, const char*>> table) {
  for (const auto& [from, to] : table) {
    if (key == from)
      return to;
  }
  return "";
}

void AddAddress(ReportLines& lines, const std::vector<std::string>& address) {
  for (const std::string& line : address)
    lines.push_back("ADDRESS: " + line);
  // A one-line address is followed by a bare tag, as logs written so far have it.
  if (address.size() == 1)
    lines.push_back("ADDRESS: ");
}

void AddSoapbox(ReportLines& lines, const std::vector<std::string>& soapbox) {
  bool blank = true;
  for (const std::string& line : soapbox) {
    lines.push_back("SOAPBOX: " + line);
    blank = blank && Trim(line).empty();
  }
  if (blank)
    lines.push_back("SOAPBOX: ");
}

}  // namespace

std::string CabrilloQsoLine(const TQSOData& q, const std::string& own_call,
                            const std::string& mode) {
  return CFormat("QSO: %5s %2s %10s %4s %-13s %-3s %-6s %-13s %-3s %-6s %-1s",
                 {CabrilloFreq(q.Band), mode, FormatIsoDate(q.QSODate), HourMinuteDigits(q.QSOTime),
                  own_call, q.RprtSent, q.NumberSent, q.Call, q.RprtRcvd, q.NumberRcvd, "0"});
}

std::string CabrilloFreq(std::string_view band) {
  return Lookup(band, {{"160", "1800"},
                       {"80", "3500"},
                       {"40", "7000"},
                       {"20", "14000"},
                       {"15", "21000"},
                       {"10", "28000"}});
}

std::string CabrilloMode(std::string_view mode) {
  return Lookup(mode, {{"SSB", "PH"}, {"CW", "CW"}, {"FM", "FM"}, {"RTTY", "RY"}, {"DIGI", "DG"}});
}

ReportLines BuildCabrilloLog(const Session& session, const CabrilloHeader& header) {
  const TContest& contest = session.Contest();
  const ContestTotals& totals = session.totals();
  // A large or damaged log must not claim a score wrapped round to the other sign.
  int64_t claimed = ClaimedScore(totals);
  ReportLines lines = {
      "START-OF-LOG: 2.0",
      "ARRL-SECTION: " + header.ArrlSection,
      CutTo("CONTEST: " + contest.CabrilloName, 24),
      "CREATED-BY: Mirva contest module v." + std::string(ProgramVersion()),
      "CALLSIGN: " + header.Call,
      "CATEGORY: " + header.CategoryOperator + " " + header.CategoryBand + " " +
          header.CategoryPower + " " + header.CategoryMode,
      "CLAIMED-SCORE: " + std::to_string(claimed),
      "OPERATORS: " + header.Operators,
      "CLUB: " + header.Club,
      "NAME: " + header.Name,
  };
  AddAddress(lines, header.Address);
  AddSoapbox(lines, header.Soapbox);
  if (contest.CabrilloFormat == 1) {
    for (const TQSOData& q : session.log().QSOLog())
      lines.push_back(CabrilloQsoLine(q, header.Call, CabrilloMode(q.Mode)));
  }
  lines.push_back("END-OF-LOG:");
  return lines;
}

}  // namespace mirva
