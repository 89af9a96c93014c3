#pragma once

#include <string>

#include "log/qso_log.h"
#include "log/qso_record.h"

namespace mirva {

/// Whether the QSO has the date, time, callsign, band and mode an ADIF record needs; the
/// export leaves out every QSO that lacks one.
bool HasAdifFields(const TQSOData& qso);

/// The log as an ADIF file: a header line, "<EOH>", then one line per QSO with the fields
/// it needs, in log order; every line ends in CR LF.
std::string AdifText(const TQSODataArr& log);
std::string AdifText(const QsoLog& log);

}  // namespace mirva
