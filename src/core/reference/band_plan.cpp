#include "reference/band_plan.h"

#include <algorithm>

#include "error.h"
#include "replace_file.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

constexpr const char* kInitialTitles[] = {"", "Start freq", "End freq", "CW", "SSB", "DIGI"};
constexpr const char* kInitialBands[] = {"160", "80", "40", "20", "15", "10"};

/// The lines of the text, without their ends; a text ending in a line end has no empty line
/// after it.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n')
      continue;
    lines.push_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
      ++at;
    start = at + 1;
  }
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

/// The cells of a line: the pieces a TAB ends, and a last piece without one.
std::vector<std::string_view> Cells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
       tab = line.find('\t', start)) {
    cells.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  if (start < line.size())
    cells.push_back(line.substr(start));
  return cells;
}

}  // namespace

BandPlan::BandPlan(std::size_t columns, std::size_t rows)
    : columns_(columns), rows_(rows), cells_(columns * rows) {}

const std::string& BandPlan::Cell(std::size_t column, std::size_t row) const {
  static const std::string kEmpty;
  return column < columns_ && row < rows_ ? cells_[row * columns_ + column] : kEmpty;
}

void BandPlan::SetCell(std::size_t column, std::size_t row, std::string_view text) {
  Grow(column + 1, row + 1);
  std::string& cell = cells_[row * columns_ + column];
  cell.assign(text);
  std::replace_if(
      cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
}

void BandPlan::Grow(std::size_t columns, std::size_t rows) {
  columns = std::max(columns, columns_);
  rows = std::max(rows, rows_);
  if (columns == columns_ && rows == rows_)
    return;
  std::vector<std::string> cells(columns * rows);
  for (std::size_t r = 0; r < rows_; ++r)
    std::move(cells_.begin() + static_cast<std::ptrdiff_t>(r * columns_),
              cells_.begin() + static_cast<std::ptrdiff_t>((r + 1) * columns_),
              cells.begin() + static_cast<std::ptrdiff_t>(r * columns));
  cells_ = std::move(cells);
  columns_ = columns;
  rows_ = rows;
}

BandPlan InitialBandPlan() {
  BandPlan plan(std::size(kInitialTitles), std::size(kInitialBands) + 1);
  for (std::size_t c = 0; c < std::size(kInitialTitles); ++c)
    plan.SetCell(c, 0, kInitialTitles[c]);
  for (std::size_t r = 0; r < std::size(kInitialBands); ++r)
    plan.SetCell(0, r + 1, kInitialBands[r]);
  return plan;
}

std::optional<BandPlan> ParseBandPlan(std::string_view bytes) {
  std::vector<std::vector<std::string_view>> rows;
  std::size_t columns = 0;
  std::size_t used_rows = 0;
  for (std::string_view line : Lines(bytes)) {
    rows.push_back(Cells(line));
    columns = std::max(columns, rows.back().size());
    if (!rows.back().empty())
      used_rows = rows.size();
    if (columns > BandPlan::kMaxColumns || used_rows > BandPlan::kMaxRows)
      return std::nullopt;
  }
  BandPlan plan = InitialBandPlan();
  plan.Grow(columns, used_rows);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      plan.SetCell(c, r, rows[r][c]);
  return plan;
}

std::string BandPlanText(const BandPlan& plan) {
  std::string text;
  for (std::size_t r = 0; r < plan.Rows(); ++r) {
    for (std::size_t c = 0; c < plan.Columns(); ++c)
      text += plan.Cell(c, r) + '\t';
    text += "\r\n";
  }
  return text;
}

std::string BandPlanPath(FileSystem& fs, const std::string& path) {
  if (fs.Exists(path))
    return path;
  const std::string folder = ParentPath(path);
  const std::string folded = FoldedName(FileNameOf(path));
  std::vector<std::string> names = fs.FileNames(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (FoldedName(name) == folded)
      return JoinPath(folder, name);
  }
  return path;
}

BandPlan ReadBandPlan(FileSystem& fs, const std::string& path) {
  std::optional<std::string> bytes = fs.ReadFile(BandPlanPath(fs, path));
  std::optional<BandPlan> plan = bytes ? ParseBandPlan(*bytes) : std::nullopt;
  return plan ? *std::move(plan) : InitialBandPlan();
}

void WriteBandPlan(FileSystem& fs, const std::string& path, const BandPlan& plan) {
  const std::string target = fs.LinkTarget(BandPlanPath(fs, path));
  ReplaceFile(fs, target, BandPlanText(plan), "The band plan was not saved to");
}

}  // namespace mirva
