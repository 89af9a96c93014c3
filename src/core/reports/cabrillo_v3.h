#pragma once

#include <string_view>

#include "reports/cabrillo.h"
#include "reports/report_file.h"

namespace mirva {

class Session;

/// The Cabrillo 3.0 code of a log's mode: the 2.0 code, and DG for the other modes with no
/// voice in them; empty for a mode without one.
std::string Cabrillo3Mode(std::string_view mode);

/// The whole Cabrillo 3.0 log of the session's contest, created by this program in the version
/// given; changes nothing. The contest goes by its standard 3.0 name where it has one, the
/// category tags are drawn from the 2.0 operator category, and an optional tag with a blank
/// value is left out.
ReportLines BuildCabrillo3Log(const Session& session, const CabrilloHeader& header,
                              std::string_view program_version);

}  // namespace mirva
