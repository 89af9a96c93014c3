#include "reference/domestic.h"

#include <gtest/gtest.h>

#include <string>

#include "error.h"

namespace mirva {

void PrintTo(const TDomestic& d, std::ostream* out) {
  *out << "{'" << d.Code << "', '" << d.Name << "'}";
}

namespace {

TEST(ParseDomesticList, OneEntryPerLine) {
  struct Case {
    std::string_view text;
    std::vector<TDomestic> list;
  } cases[] = {
      {"", {}},
      {"MA = Moscow region", {{"MA", "Moscow"}}},
      {"  ==MA= =Moscow==", {{"MA", "Moscow"}}},
      {"MA", {{"MA", ""}}},
      {"MA\tMoscow", {{"MA\tMoscow", ""}}},  // only spaces and '=' separate
      {"3A MA\n\n1A SP", {{"3A", "MA"}, {"", ""}, {"1A", "SP"}}},
      {"\xCC\xCE=\xCC\xEE\xF1\xEA\xE2\xE0", {{"\xCC\xCE", "\xCC\xEE\xF1\xEA\xE2\xE0"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseDomesticList(c.text), c.list) << c.text;
}

// A 40 by 40 table text whose cell (r, c) holds 100 * r + c.
std::string TableText(std::string_view separator = " ") {
  std::string text;
  for (int r = 1; r <= 40; ++r) {
    for (int c = 1; c <= 40; ++c) {
      if (c > 1)
        text += separator;
      text += std::to_string(100 * r + c);
    }
    text += "\r\n";
  }
  return text;
}

TEST(ParsePointsTable, FillsTheCellsUpToTheFirstError) {
  const std::string full = TableText();
  std::string bad_word = full;
  bad_word.replace(bad_word.find(" 305 "), 5, " 3O5 ");
  std::string short_line = full;
  short_line.erase(short_line.find(" 140\r\n"), 4);
  std::string junk_after = full;
  junk_after.insert(junk_after.find("\r\n"), " junk");  // after the 40th word of a line
  junk_after += "junk\n";                               // after the 40th line
  const std::string bad = "'' is not a valid integer value";

  struct Case {
    std::string name;
    std::string text;
    std::string message;  // empty: no error
    int last_row;         // the last filled cell
    int last_column;
  } cases[] = {
      {"exact", full, "", 40, 40},
      {"runs of blanks and tabs", "   " + TableText(" \t  "), "", 40, 40},
      {"words past the table", junk_after, "", 40, 40},
      {"bad word", bad_word, "'3O5' is not a valid integer value", 3, 4},
      {"short line", short_line, bad, 1, 39},
      {"missing lines", full.substr(0, full.find("4001 ")), bad, 39, 40},
      {"empty", "", bad, 0, 0},
      {"empty line", "\n" + full, bad, 0, 0},
  };
  for (const Case& c : cases) {
    TPointsTable table;
    for (auto& row : table.cells)
      row.fill(-9);
    std::string message;
    try {
      ParsePointsTable(c.text, table);
    } catch (const ConversionError& e) {
      message = e.what();
    }
    EXPECT_EQ(message, c.message) << c.name;
    for (int r = 1; r <= 40; ++r) {
      for (int col = 1; col <= 40; ++col) {
        bool filled = r < c.last_row || (r == c.last_row && col <= c.last_column);
        ASSERT_EQ(table.At(r, col), filled ? 100 * r + col : 0) << c.name << " " << r << "," << col;
      }
    }
    // A row or column outside 1..40 reads as 0.
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {41, 1}, {1, 41}, {-1, -1}})
      EXPECT_EQ(table.At(row, column), 0) << c.name << " " << row << "," << column;
  }
}

}  // namespace
}  // namespace mirva
