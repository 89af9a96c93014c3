#include "contest/domestic.h"

#include <cstddef>

#include "error.h"
#include "text/strings.h"

namespace mirva {

namespace {

// The first `max` words of a line, words being maximal runs of characters not in
// `separators`.
std::vector<std::string_view> Words(std::string_view line, std::string_view separators,
                                    std::size_t max) {
  std::vector<std::string_view> words;
  std::size_t pos = line.find_first_not_of(separators);
  while (pos != std::string_view::npos && words.size() < max) {
    std::size_t end = line.find_first_of(separators, pos);
    if (end == std::string_view::npos)
      end = line.size();
    words.push_back(line.substr(pos, end - pos));
    pos = line.find_first_not_of(separators, end);
  }
  return words;
}

constexpr int kZones = 40;

}  // namespace

std::vector<TDomestic> ParseDomesticList(std::string_view text) {
  std::vector<TDomestic> list;
  for (std::string_view line : SplitLines(text)) {
    std::vector<std::string_view> words = Words(line, " =", 2);
    TDomestic entry;
    if (!words.empty())
      entry.Code = words[0];
    if (words.size() > 1)
      entry.Name = words[1];
    list.push_back(std::move(entry));
  }
  return list;
}

int32_t TPointsTable::At(int row, int column) const {
  if (row < 1 || row > kZones || column < 1 || column > kZones)
    return 0;
  return cells[row - 1][column - 1];
}

void ParsePointsTable(std::string_view text, TPointsTable& table) {
  table = TPointsTable{};
  std::vector<std::string_view> lines = SplitLines(text);
  for (int r = 0; r < kZones; ++r) {
    std::vector<std::string_view> words;
    if (static_cast<std::size_t>(r) < lines.size())
      words = Words(lines[r], " \t", kZones);
    for (int c = 0; c < kZones; ++c) {
      if (static_cast<std::size_t>(c) >= words.size())
        throw ConversionError("");
      table.cells[r][c] = StrToInt(words[c]);
    }
  }
}

}  // namespace mirva
