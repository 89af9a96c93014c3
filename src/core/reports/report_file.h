#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// The lines of a report, Windows-1251 text; a line may hold line breaks of its own, which the
/// preview shows as separate lines.
using ReportLines = std::vector<std::string>;

/// Adds a text that may span several lines (breaks CR LF, LF or CR) as one entry per line.
void AddText(ReportLines& lines, std::string_view text);
/// The lines of a memo as one text, separated by CR LF.
std::string MemoText(const std::vector<std::string>& lines);
/// The label followed, for each line, by the line, a line break and `indent` blanks.
std::string IndentedLines(std::string label, const std::vector<std::string>& lines,
                          std::size_t indent);
/// A number column that shows nothing for 0.
std::string NumberOrEmpty(int64_t value);

/// Why text typed into a report (UTF-8 lines) cannot be saved as it stands: the first
/// character that the report file's code page 866 has no byte for, naming its line; nothing
/// when every character has one.
std::optional<std::string> UnsavableReportText(const std::vector<std::string>& utf8_lines);

/// The name a report of the callsign is proposed under: the callsign with every character but
/// a Latin letter, a digit and "-" as "_" (the "/" of "R3A/P"), then "." and the suffix, e.g.
/// "R3A_P.cbr"; "noname" stands for a blank callsign.
std::string ReportFileName(std::string_view call, std::string_view suffix);

/// The bytes of a saved report: every line, and every line break inside a line, ended by
/// CR LF, the whole text in the OEM code page 866.
std::string ReportFileBytes(const ReportLines& lines);

}  // namespace mirva
