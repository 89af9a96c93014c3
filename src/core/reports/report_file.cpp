#include "reports/report_file.h"

#include <cstdio>
#include <utility>

#include "text/cp1251.h"
#include "text/oem866.h"
#include "text/strings.h"

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

std::optional<std::string> UnsavableReportText(const std::vector<std::string>& utf8_lines) {
  for (std::size_t i = 0; i < utf8_lines.size(); ++i) {
    const std::string& line = utf8_lines[i];
    for (std::size_t pos = 0; pos < line.size();) {
      char32_t c = NextCodePoint(line, pos);
      char byte = c == kMalformedCodePoint ? '?' : Cp1251Byte(c);
      if (c == U'?' || (byte != '?' && Oem866Byte(c) != '?'))
        continue;
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
      std::string shown = byte != '?' ? "\"" + std::string(1, byte) + "\" (" + code + ")" : code;
      return "Line " + std::to_string(i + 1) + " of the report holds " + shown +
             ", which a report file cannot hold: report files are written in code page 866. "
             "Nothing was saved; change the line and save again.";
    }
  }
  return std::nullopt;
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

std::string ReportFileName(std::string_view call, std::string_view suffix) {
  std::string name(Trim(call));
  for (char& c : name) {
    bool kept =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    if (!kept)
      c = '_';
  }
  return (name.empty() ? "noname" : name) + "." + std::string(suffix);
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
