#pragma once

// Every report of a session, built and thrown away, for the targets that drive a whole session.
#include "reports/adif.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_check.h"
#include "reports/report_file.h"
#include "reports/summary.h"
#include "session/session.h"

namespace mirva_fuzz {

inline void BuildReports(const mirva::Session& session) {
  mirva::AdifText(session.log().QSOLog());
  if (!session.HasContest())
    return;
  mirva::CabrilloHeader cabrillo;
  cabrillo.Call = session.StationCfg().Call;
  mirva::ReportFileBytes(mirva::BuildCabrilloLog(session, cabrillo));
  for (const mirva::CabrilloProblem& problem :
       mirva::CheckCabrilloLog(session, cabrillo, mirva::CabrilloVersion::k3))
    mirva::CabrilloProblemLine(problem);
  mirva::ReportHeader header;
  header.Operators.resize(2);
  mirva::ReportFileBytes(mirva::BuildAllReport(session, header));
  mirva::ReportFileBytes(mirva::BuildSummarySheet(session, header, 46000));
}

}  // namespace mirva_fuzz
