#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace mirva {

/// The lines of a report, Windows-1251 text; a line may hold line breaks of its own, which the
/// preview shows as separate lines.
using ReportLines = std::vector<std::string>;

/// Adds a text that may span several lines (breaks CR LF, LF or CR) as one entry per line.
void AddText(ReportLines& lines, std::string_view text);
/// The lines of a memo as one text, separated by CR LF.
std::string MemoText(const std::vector<std::string>& lines);

/// The bytes of a saved report: every line, and every line break inside a line, ended by
/// CR LF, the whole text in the OEM code page 866.
std::string ReportFileBytes(const ReportLines& lines);

/// Creates or overwrites the file with the report's bytes; throws IoError.
void SaveReport(FileSystem& fs, const std::string& path, const ReportLines& lines);

}  // namespace mirva
