#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/report_file.h"

namespace mirva {

class Session;
struct TQSOData;

/// The header facts of a Cabrillo log as the operator entered them; none is checked.
struct CabrilloHeader {
  std::string Call;  ///< also the own callsign of every QSO line
  std::string Name;
  std::string ArrlSection;
  std::string CategoryOperator;
  std::string CategoryBand;
  std::string CategoryPower;
  std::string CategoryMode;
  std::string Club;
  std::string Operators;
  std::vector<std::string> Address;  ///< one entry per address line
  std::vector<std::string> Soapbox;  ///< one entry per comment line
  // Read by the Cabrillo 3.0 log only.
  std::string Location;  ///< the ARRL section stands in when empty
  std::string CategoryOverlay;
  std::string Email;
  std::string City;
  std::string StateProvince;
  std::string PostalCode;
  std::string Country;
};

/// The lower band edge in kHz of a band of the HF contest bands; empty for any other band.
std::string CabrilloFreq(std::string_view band);
/// The two-letter Cabrillo code of a mode; empty for a mode without one.
std::string CabrilloMode(std::string_view mode);

/// One "QSO:" line of the log, with the mode already in its Cabrillo code.
std::string CabrilloQsoLine(const TQSOData& q, const std::string& own_call,
                            const std::string& mode);

/// The whole Cabrillo 2.0 log of the session's contest; changes nothing.
ReportLines BuildCabrilloLog(const Session& session, const CabrilloHeader& header);

}  // namespace mirva
