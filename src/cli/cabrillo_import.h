#pragma once

#include <string_view>
#include <vector>

namespace mirva {

class ImportReport;
class Session;

/// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);
/// Whether any line begins a log or holds a QSO.
bool IsCabrillo(const std::vector<std::string_view>& lines);
/// Logs the QSO of each "QSO:" line of a Cabrillo log as the entry window would at the QSO's
/// time, in order, flushing the log after every thousand lines, until the end, an error or a
/// signal to stop; `report` tells the operator what was and was not logged. Returns the exit
/// status: kImportAllLogged, kImportPartly or kImportFailed.
int ImportLines(Session& session, const std::vector<std::string_view>& lines, ImportReport& report);

}  // namespace mirva
