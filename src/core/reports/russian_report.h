#pragma once

#include "reports/report_file.h"
#include "reports/summary.h"

namespace mirva {

// The Russian-championship forms of the ALL file and the summary sheet, whose points columns
// are the three point fields: for contacts, for correspondents and for zones.

ReportLines RussianAllReport(const Session& session, const ReportHeader& header);
ReportLines RussianSummarySheet(const Session& session, const ReportHeader& header, double today);

}  // namespace mirva
