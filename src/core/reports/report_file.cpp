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

std::string ReportFileBytes(const ReportLines& lines) {
  ReportLines shown;
  for (const std::string& line : lines)
    AddText(shown, line);
  std::string text;
  for (const std::string& line : shown)
    text += line + "\r\n";
  return Cp1251ToOem866(text);
}

void SaveReport(FileSystem& fs, const std::string& path, const ReportLines& lines) {
  fs.WriteFile(path, ReportFileBytes(lines));
}

}  // namespace mirva
