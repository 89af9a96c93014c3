#include "history/call_history.h"

#include <algorithm>

#include "reference/master_calls.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    if (NextCodePoint(text, pos) == kMalformedCodePoint)
      return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && UpperCase(text.substr(0, start.size())) == UpperCase(start);
}

/// The field without the control characters a file may hide in it and the blanks around it.
std::string Clean(std::string_view field) {
  std::string text;
  for (char c : Trim(field)) {
    if (!IsControlChar(c))
      text += c;
  }
  return text;
}

/// The line's fields: a field starting with '"' runs to the next lone '"', "" standing for one
/// quote; blanks around a field are dropped. A quote left open runs to the end of the line.
std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
      ++at;
    std::string field;
    if (at < line.size() && line[at] == '"') {
      for (++at; at < line.size(); ++at) {
        if (line[at] != '"') {
          field += line[at];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
          field += '"';
          ++at;
        } else {
          ++at;
          break;
        }
      }
      // Whatever stands between the closing quote and the separator belongs to the field.
      std::size_t end = line.find(separator, at);
      field += line.substr(at, end == std::string_view::npos ? end : end - at);
      at = end;
    } else {
      std::size_t end = line.find(separator, at);
      field = line.substr(at, end == std::string_view::npos ? end : end - at);
      at = end;
    }
    fields.push_back(Clean(field));
    if (at == std::string_view::npos)
      return fields;
    ++at;
  }
}

/// ';' when the header's first separator is one, ',' otherwise.
char SeparatorOf(std::string_view header) {
  std::size_t first = header.find_first_of(",;", std::string_view(kHistoryHeader).size());
  return first != std::string_view::npos && header[first] == ';' ? ';' : ',';
}

}  // namespace

std::string CountOf(std::size_t n, std::string_view thing) {
  return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

std::string HistoryReportText(const HistoryFileReport& report) {
  if (!report.problem.empty())
    return report.problem;
  std::string text =
      report.file + ": " + CountOf(report.calls, "call") + " from " + CountOf(report.lines, "line");
  if (report.skipped > 0) {
    text += "; " + std::to_string(report.skipped) + " skipped, no callsign (line";
    text += report.skipped_lines.size() > 1 ? "s " : " ";
    for (std::size_t i = 0; i < report.skipped_lines.size(); ++i)
      text += (i > 0 ? ", " : "") + std::to_string(report.skipped_lines[i]);
    text += report.skipped > report.skipped_lines.size() ? ", ...)" : ")";
  }
  return text;
}

int CallHistory::FindColumn(std::string_view name) const {
  std::string key = UpperCase(name);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == key)
      return static_cast<int>(i);
  }
  return -1;
}

std::size_t CallHistory::ColumnIndex(std::string_view name) {
  int found = FindColumn(name);
  if (found >= 0)
    return static_cast<std::size_t>(found);
  keys_.push_back(UpperCase(name));
  names_.emplace_back(name);
  return keys_.size() - 1;
}

std::string_view CallHistory::Value(std::string_view call, std::string_view column) const {
  auto row = rows_.find(call);
  if (row == rows_.end())
    return {};
  int index = FindColumn(column);
  if (index < 0 || static_cast<std::size_t>(index) >= row->second.values.size())
    return {};
  return row->second.values[static_cast<std::size_t>(index)];
}

HistoryFileReport CallHistory::Add(std::string_view file, std::string_view text) {
  HistoryFileReport report;
  report.file = std::string(file);
  if (text.starts_with(kBom))
    text.remove_prefix(kBom.size());
  std::string converted;
  if (IsUtf8(text)) {
    converted = Utf8ToCp1251(text);
    text = converted;
  }
  std::vector<std::string_view> lines = SplitLines(text);
  std::size_t number = 0;
  std::size_t call_column = 0;
  std::vector<int> columns;  // per field of a data line: the column it fills, or -1
  char separator = ',';
  for (; number < lines.size(); ++number) {
    std::string_view line = Trim(lines[number]);
    if (line.empty() || line.front() == '#')
      continue;
    if (!StartsWithNoCase(line, kHistoryHeader))
      break;
    separator = SeparatorOf(line);
    std::vector<std::string> names =
        SplitFields(line.substr(std::string_view(kHistoryHeader).size()), separator);
    // The names start after the first separator; a data line's first field is the first name's.
    auto call = std::find_if(names.begin() + (names.empty() ? 0 : 1), names.end(),
                             [](const std::string& name) { return UpperCase(name) == "CALL"; });
    if (call == names.end()) {
      report.problem =
          report.file + " is no call history file: its header line names no Call column.";
      return report;
    }
    call_column = static_cast<std::size_t>(call - names.begin()) - 1;
    for (std::size_t i = 1; i < names.size(); ++i) {
      if (i - 1 == call_column || names[i].empty())
        columns.push_back(-1);
      else
        columns.push_back(static_cast<int>(ColumnIndex(names[i])));
    }
    break;
  }
  if (columns.empty()) {
    report.problem = report.file + " is no call history file: it does not start with a \"" +
                     kHistoryHeader + "\" header line naming its columns.";
    return report;
  }
  uint32_t id = ++files_;
  for (++number; number < lines.size(); ++number) {
    std::string_view line = Trim(lines[number]);
    if (line.empty() || line.front() == '#')
      continue;
    ++report.lines;
    std::vector<std::string> fields = SplitFields(line, separator);
    std::string call = call_column < fields.size() ? UpperCase(fields[call_column]) : std::string();
    if (!IsPlausibleCall(call)) {
      if (report.skipped++ < kSkippedLinesKept)
        report.skipped_lines.push_back(number + 1);
      continue;
    }
    Row& row = rows_[call];
    if (row.file != id) {
      row.file = id;
      ++report.calls;
    }
    for (std::size_t i = 0; i < fields.size() && i < columns.size(); ++i) {
      int column = columns[i];
      if (column < 0 || fields[i].empty())
        continue;
      auto at = static_cast<std::size_t>(column);
      if (row.values.size() <= at)
        row.values.resize(at + 1);
      row.values[at] = std::move(fields[i]);
    }
  }
  return report;
}

}  // namespace mirva
