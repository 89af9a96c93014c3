#pragma once

#include "reports/cabrillo.h"
#include "reports/summary.h"
#include "workspace/workspace_settings.h"

namespace mirva {

/// The Cabrillo header a log keeps: the texts of the Cabrillo window's controls. The callsign
/// is not kept: it is the station's.
CabrilloHeader StoredCabrilloHeader(const HeaderTexts& texts);

/// The same for the summary sheet and the ALL file: class, period, address, equipment and
/// comments.
ReportHeader StoredSummaryHeader(const HeaderTexts& texts);

}  // namespace mirva
