#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace mirva {

class Session;

enum class AdifKind {
  kOwn,       ///< the program's own ADIF export
  kStandard,  ///< ADIF 3.1.4 in UTF-8
};

/// How many QSOs of the log an export wrote, and how many it left out for lacking the date,
/// time, callsign, band or mode.
struct AdifExportCount {
  std::size_t exported = 0;
  std::size_t left_out = 0;
};

/// Writes the session's whole log to `path` (UTF-8) as WriteOutputFile does, in the ADIF of
/// `kind`; a standard file names the program's version and `created` (UTC) as where it comes
/// from. Throws IoError, with nothing written, as WriteOutputFile does.
AdifExportCount ExportAdif(Session& session, AdifKind kind, const std::string& path,
                           std::string_view program_version, std::chrono::sys_seconds created);

}  // namespace mirva
