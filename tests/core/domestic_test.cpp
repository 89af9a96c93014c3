#include "contest/domestic.h"

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
      {"MA=Moscow", {{"MA", "Moscow"}}},
      {"MA = Moscow region", {{"MA", "Moscow"}}},
      {"  ==MA= =Moscow==", {{"MA", "Moscow"}}},
      {"MA", {{"MA", ""}}},
      {"MA=", {{"MA", ""}}},
      {"MA\tMoscow", {{"MA\tMoscow", ""}}},  // only spaces and '=' separate
      {"3A MA\r\n1A SP\r\n", {{"3A", "MA"}, {"1A", "SP"}}},
      {"3A MA\n\n1A SP", {{"3A", "MA"}, {"", ""}, {"1A", "SP"}}},
      {"3A MA\n \n", {{"3A", "MA"}, {"", ""}}},
      {"\xCC\xCE=\xCC\xEE\xF1\xEA\xE2\xE0", {{"\xCC\xCE", "\xCC\xEE\xF1\xEA\xE2\xE0"}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseDomesticList(c.text), c.list) << c.text;
}

// A table text whose cell (r, c) holds sign * (100 * r + c), `size` rows of `size` numbers.
std::string TableText(int size, int sign = 1, std::string_view separator = " ") {
  std::string text;
  for (int r = 1; r <= size; ++r) {
    for (int c = 1; c <= size; ++c) {
      if (c > 1)
        text += separator;
      text += std::to_string(sign * (100 * r + c));
    }
    text += "\r\n";
  }
  return text;
}

TEST(ParsePointsTable, ReadsFortyByForty) {
  std::string junk_after = TableText(40);
  junk_after.insert(junk_after.find("\r\n"), " junk");  // after the 40th word of a line
  junk_after += "junk\n";                               // after the 40th line
  struct Case {
    std::string name;
    std::string text;
    int sign;
  } cases[] = {
      {"exact", TableText(40), 1},
      {"extra rows and columns", TableText(41), 1},
      {"negative", TableText(40, -1), -1},
      {"runs of blanks and tabs", "   " + TableText(40, 1, " \t  "), 1},
      {"words past the table", junk_after, 1},
  };
  for (const Case& c : cases) {
    TPointsTable table;
    table.cells[0][0] = 7;
    ParsePointsTable(c.text, table);
    EXPECT_EQ(table.At(1, 1), c.sign * 101) << c.name;
    EXPECT_EQ(table.At(1, 40), c.sign * 140) << c.name;
    EXPECT_EQ(table.At(40, 1), c.sign * 4001) << c.name;
    EXPECT_EQ(table.At(17, 23), c.sign * 1723) << c.name;
    EXPECT_EQ(table.At(40, 40), c.sign * 4040) << c.name;
    // A row or column outside 1..40 reads as 0.
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {41, 1}, {1, 41}, {-1, -1}})
      EXPECT_EQ(table.At(row, column), 0) << c.name << " " << row << "," << column;
  }
}

TEST(ParsePointsTable, ErrorKeepsTheCellsBeforeIt) {
  const std::string full = TableText(40);
  std::string bad_word = full;
  bad_word.replace(bad_word.find(" 305 "), 5, " 3O5 ");
  std::string short_line = full;
  short_line.erase(short_line.find(" 140\r\n"), 4);

  struct Case {
    std::string name;
    std::string text;
    std::string message;
    int last_row;  // the filled cell just before the failing one
    int last_column;
  } cases[] = {
      {"bad word", bad_word, "'3O5' is not a valid integer value", 3, 4},
      {"short line", short_line, "'' is not a valid integer value", 1, 39},
      {"missing lines", full.substr(0, full.find("4001 ")), "'' is not a valid integer value", 39,
       40},
      {"empty", "", "'' is not a valid integer value", 0, 0},
      {"empty line", "\n" + full, "'' is not a valid integer value", 0, 0},
  };
  for (const Case& c : cases) {
    TPointsTable table;
    for (auto& row : table.cells)
      row.fill(-9);
    try {
      ParsePointsTable(c.text, table);
      ADD_FAILURE() << c.name;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
    for (int r = 1; r <= 40; ++r) {
      for (int col = 1; col <= 40; ++col) {
        bool filled = r < c.last_row || (r == c.last_row && col <= c.last_column);
        ASSERT_EQ(table.At(r, col), filled ? 100 * r + col : 0) << c.name << " " << r << "," << col;
      }
    }
  }
}

}  // namespace
}  // namespace mirva
