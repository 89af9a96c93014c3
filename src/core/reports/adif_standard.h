#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "log/qso_log.h"
#include "log/qso_record.h"

namespace mirva {

/// What a standard ADIF file tells of where it comes from.
struct StandardAdifSource {
  std::string program_version;
  std::chrono::sys_seconds created;  ///< UTC
  std::string contest_name;          ///< the display name (Windows-1251)
  std::string station_call;          ///< Windows-1251; may be blank
};

/// The ADIF band of a log's band ("20" gives "20m"); empty for a band ADIF does not list.
std::string_view AdifBand(std::string_view band);

/// The log as an ADIF 3.1.4 file in UTF-8: a header of the version, program and creation
/// time, "<EOH>", then one record per QSO that has the fields HasAdifFields asks for, in log
/// order, each ending in "<EOR>". Values are written without their outer blanks and their
/// lengths count characters. The log keeps no frequency, so no record has FREQ.
std::string StandardAdifText(const TQSODataArr& log, const StandardAdifSource& source);
std::string StandardAdifText(const QsoLog& log, const StandardAdifSource& source);

}  // namespace mirva
