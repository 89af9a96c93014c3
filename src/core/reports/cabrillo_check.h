#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "reports/cabrillo.h"

namespace mirva {

class Session;

/// Something a contest sponsor's log robot would reject in the Cabrillo log about to be written.
struct CabrilloProblem {
  std::size_t qso = 0;  ///< the QSO's number in the log, from 1; 0 for the header
  std::string text;     ///< one line, Windows-1251
};

/// Which Cabrillo version is about to be written: the header tags differ.
enum class CabrilloVersion { k2, k3 };

/// What the Cabrillo log of the session's contest with this header would be rejected for, in
/// log order after the header's problems: a blank callsign or category the version needs, and
/// for each QSO line a blank sent or received exchange, a received exchange that counts no
/// multiplier or has not the contest's form, a band or mode outside the contest's or without a
/// Cabrillo code, and a time before the QSO above it. One pass over the log; changes nothing.
/// Throws std::logic_error when no contest is set up.
std::vector<CabrilloProblem> CheckCabrilloLog(const Session& session, const CabrilloHeader& header,
                                              CabrilloVersion version);

/// "QSO 12: received exchange is empty", or "Header: ..." for a header problem.
std::string CabrilloProblemLine(const CabrilloProblem& problem);

/// "1 problem found", "3 problems found".
std::string CabrilloProblemCount(std::size_t count);

}  // namespace mirva
