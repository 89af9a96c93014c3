#include "reports/report_file.h"

#include <utility>

#include "text/oem866.h"

namespace mirva {

void AddText(ReportLines& lines, std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  lines.push_back(std::move(line));
}

std::string MemoText(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += (i ? "\r\n" : "") + lines[i];
  return text;
}

std::string IndentedLines(std::string label, const std::vector<std::string>& lines,
                          std::size_t indent) {
  for (const std::string& line : lines)
    label += line + "\r\n" + std::string(indent, ' ');
  return label;
}

std::string NumberOrEmpty(int64_t value) {
  return value == 0 ? "" : std::to_string(value);
}

std::string ReportFileBytes(const ReportLines& lines) {
  ReportLines shown;
  for (const std::string& line : lines)
    AddText(shown, line);
  std::string text;
  for (const std::string& line : shown)
    text += line + "\r\n";
  return Cp1251ToOem866(text);
}

}  // namespace mirva
