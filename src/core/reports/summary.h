#pragma once

#include <string>
#include <vector>

#include "reports/operators.h"
#include "reports/report_file.h"

namespace mirva {

class Session;

/// What the operator entered for the ALL and SUM reports; none of it is checked.
struct ReportHeader {
  std::string Call;
  std::string Class;
  std::string Period;  ///< the scored operating time of the Russian form
  std::vector<std::string> Address;
  std::vector<std::string> Equipment;
  std::vector<std::string> Comments;
  std::vector<TOperator> Operators;
};

/// The ALL file: one line per QSO, in the layout the contest's rules choose.
ReportLines BuildAllReport(const Session& session, const ReportHeader& header);
/// The summary sheet in the layout the contest's rules choose, dated `today` (a date value).
ReportLines BuildSummarySheet(const Session& session, const ReportHeader& header, double today);

/// The entries of the first multiplier list worked on four or more bands whose country lies
/// on another continent than the station's.
int IntercontinentalCount(const Session& session);

}  // namespace mirva
