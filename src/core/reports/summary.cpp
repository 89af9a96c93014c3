#include "reports/summary.h"

#include <algorithm>
#include <bit>

#include "contest/rules/definition.h"
#include "log/date_value.h"
#include "reference/callsign.h"
#include "reports/russian_report.h"
#include "session/session.h"
#include "text/c_format.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr char kHyphens[] = "--------------------------------";

bool IsLayout(const Session& session, ReportLayout layout) {
  return session.Rules() && session.Rules()->report == layout;
}

/// The multiplier mark with its "-" (nothing new) blanked.
std::string HyphensBlanked(std::string_view mark) {
  std::string text(mark);
  std::replace(text.begin(), text.end(), '-', ' ');
  return text;
}

/// The multiplier mark as the ALL file shows it, the key separator written as a hyphen.
std::string MultsColumn(std::string_view mark) {
  std::string text = HyphensBlanked(mark);
  std::replace(text.begin(), text.end(), kKeyDot[0], '-');
  return std::string(Trim(text));
}

/// The keys a multiplier mark names.
int MarkedMultipliers(std::string_view mark) {
  return static_cast<int>(SplitWords(HyphensBlanked(mark), " ").size());
}

/// Multipliers, points and QSOs per mode and band of the contest; every listed band and mode
/// has its cells, a seventh band or fourth mode included.
struct SummaryCell {
  int64_t mults = 0;
  int64_t points = 0;
  int64_t qsos = 0;
};

std::vector<std::vector<SummaryCell>> SummaryTable(const Session& session) {
  const TContest& contest = session.Contest();
  std::vector<std::vector<SummaryCell>> table(contest.Modes.size(),
                                              std::vector<SummaryCell>(contest.Bands.size()));
  for (const TQSOData& q : session.log().QSOLog()) {
    int m = ModeIndex(contest.Modes, q.Mode);
    int b = BandIndex(contest.Bands, q.Band);
    if (m < 0 || b < 0)
      continue;
    SummaryCell& cell = table[m][b];
    cell.mults += MarkedMultipliers(q.MultsText);
    cell.points += int64_t{q.Points} + q.Points2 + q.Points3;
    ++cell.qsos;
  }
  return table;
}

void AddTable(ReportLines& lines, const Session& session) {
  const TContest& contest = session.Contest();
  std::vector<std::vector<SummaryCell>> table = SummaryTable(session);
  lines.insert(lines.end(), {"   Band   QSOs    Points   Mults", kHyphens});
  for (std::size_t b = 0; b < contest.Bands.size(); ++b) {
    for (std::size_t m = 0; m < contest.Modes.size(); ++m) {
      const SummaryCell& cell = table[m][b];
      lines.push_back(CFormat("%7s   %4d   %7d    %3d", {contest.Bands[b] + contest.Modes[m],
                                                         cell.qsos, cell.points, cell.mults}));
    }
  }
  lines.push_back(kHyphens);
}

void AddTotal(ReportLines& lines, const Session& session) {
  const ContestTotals& totals = session.totals();
  std::size_t qsos = session.log().QSOLog().size();
  int64_t points = totals.TotalPoints;
  if (!IsLayout(session, ReportLayout::kVolta)) {
    lines.push_back(CFormat("%7s  %5d   %7d    %3d = %-d points",
                            {"Total", qsos, points, totals.TotalMults, ClaimedScore(totals)}));
    return;
  }
  int ic = IntercontinentalCount(session);
  lines.push_back(CFormat("%7s  %5d   %7d    %3d ", {"Total", qsos, points, totals.TotalMults}));
  lines.insert(lines.end(), {"", "Intercontinental countries worked on",
                             "at least four bands: " + std::to_string(ic), ""});
  lines.push_back("Score: " + std::to_string(points) + "*(" + std::to_string(totals.TotalMults) +
                  "+" + std::to_string(ic) +
                  ")=" + std::to_string(ScoreProduct(points, totals.TotalMults + ic)) + " points");
}

ReportLines StandardAllReport(const Session& session, const ReportHeader& header) {
  ReportLines lines = {
      "Contest: " + session.Contest().Name,
      "Callsign: " + header.Call,
      "",
      CFormat("%-10s %4s  %4s   %3s   %-12s  %5s     %5s     %7s    %3s",
              {"Date", "Band", "Mode", "UTC", "Callsign", "Sent", "Rcvd", " Mults ", "Pts"}),
  };
  for (const TQSOData& q : session.log().QSOLog()) {
    lines.push_back(CFormat("%-10s %4s  %4s  %5s  %-12s  %-8s  %-8s   %-7s  %3s",
                            {FormatDate(q.QSODate, "mm-dd-yyyy"), q.Band, q.Mode, q.QSOTime, q.Call,
                             q.RprtSent + " " + q.NumberSent, q.RprtRcvd + " " + q.NumberRcvd,
                             MultsColumn(q.MultsText), NumberOrEmpty(q.Points)}));
  }
  return lines;
}

ReportLines StandardSummarySheet(const Session& session, const ReportHeader& header, double today) {
  std::string operators = "          Operators :";
  for (const TOperator& op : header.Operators)
    operators += " " + op.Call;
  std::string name = "               Name : ";
  if (!header.Operators.empty())
    name += header.Operators[0].Name + " " + header.Operators[0].LastName;

  ReportLines lines = {std::string(17, ' ') + session.Contest().Name + " summary sheet",
                       "",
                       "      Contest Dates : ",
                       "",
                       "      Callsign Used : " + header.Call,
                       operators,
                       "",
                       "           Category : " + header.Class,
                       "",
                       name};
  AddText(lines, IndentedLines("            Address : ", header.Address, 21));
  lines.insert(lines.end(), {"             E-mail : ", "", "Climed score", ""});
  AddTable(lines, session);
  AddTotal(lines, session);
  lines.push_back("");
  AddText(lines, "Equipment/antennas : " + MemoText(header.Equipment));
  lines.push_back("");
  AddText(lines, "Comments :  " + MemoText(header.Comments));
  lines.insert(
      lines.end(),
      {"", "", "I have observed all competition rules as well as all regulations",
       "established for amateur radio in my country.  My report is correct and true to the",
       "best of my knowledge.  I agree to be bound by the decisions of the Awards", "Committee.",
       "", "Date : " + FormatDate(today, "mm-dd-yyyy"), "Mirva contest module"});
  return lines;
}

}  // namespace

ReportLines BuildAllReport(const Session& session, const ReportHeader& header) {
  if (IsLayout(session, ReportLayout::kRussian))
    return RussianAllReport(session, header);
  return StandardAllReport(session, header);
}

ReportLines BuildSummarySheet(const Session& session, const ReportHeader& header, double today) {
  if (IsLayout(session, ReportLayout::kRussian))
    return RussianSummarySheet(session, header, today);
  return StandardSummarySheet(session, header, today);
}

int IntercontinentalCount(const Session& session) {
  int count = 0;
  for (const TMultEntry& entry : session.contest().MultList1) {
    if (std::popcount(entry.Worked[0]) < 4)
      continue;
    TCountry country;
    if (session.FindCountry(entry.Name, country) && country.Continent != session.StationCfg().Cont)
      ++count;
  }
  return count;
}

}  // namespace mirva
