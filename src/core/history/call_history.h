#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mirva {

/// The first word of a call history file's header line, before the column names.
inline constexpr char kHistoryHeader[] = "!!Order!!";
/// How many skipped line numbers a file's report keeps.
inline constexpr std::size_t kSkippedLinesKept = 5;

/// What one call history file gave.
struct HistoryFileReport {
  std::string file;
  /// Why the file gave nothing, naming it; empty when it was read.
  std::string problem;
  std::size_t lines = 0;    ///< data lines: neither the header, a comment nor blank
  std::size_t calls = 0;    ///< different callsigns among them
  std::size_t skipped = 0;  ///< data lines whose Call is no callsign
  /// The first of them, numbered from 1.
  std::vector<std::size_t> skipped_lines;
};

/// "N thing" with an "s" unless N is 1.
std::string CountOf(std::size_t n, std::string_view thing);
/// The operator's line for the report: what the file gave, or why it gave nothing.
std::string HistoryReportText(const HistoryFileReport& report);

/// What earlier logs and club lists tell of each callsign, by column name: values are
/// Windows-1251, column names compared without regard to case, callsigns exactly (upper case).
class CallHistory {
 public:
  /// Reads one file's text; a value it gives for a callsign and column replaces an earlier
  /// file's, an empty one does not. The header line "!!Order!!,Call,Name,..." names the
  /// columns and decides the separator (',' or ';'); lines starting with '#' are comments;
  /// fields may be quoted ("a,b", "" for a quote). UTF-8 text, with or without a byte-order
  /// mark, is converted; any other text is taken as Windows-1251. A text without the header
  /// or without a Call column gives nothing, and the report says why.
  HistoryFileReport Add(std::string_view file, std::string_view text);

  /// The column's value for the callsign; empty when there is none.
  std::string_view Value(std::string_view call, std::string_view column) const;
  bool Has(std::string_view call) const { return rows_.find(call) != rows_.end(); }
  /// How many callsigns it knows.
  std::size_t size() const { return rows_.size(); }
  /// The column names as the first file that named each wrote them, Call excluded.
  const std::vector<std::string>& columns() const { return names_; }

 private:
  struct Row {
    std::vector<std::string> values;  ///< by column index; shorter when the last are empty
    uint32_t file = 0;                ///< the last file that named the callsign, from 1
  };
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>()(text);
    }
  };
  /// The column's index, added when new.
  std::size_t ColumnIndex(std::string_view name);
  int FindColumn(std::string_view name) const;

  std::vector<std::string> keys_;   ///< column names in upper case
  std::vector<std::string> names_;  ///< as written
  std::unordered_map<std::string, Row, Hash, std::equal_to<>> rows_;
  uint32_t files_ = 0;
};

}  // namespace mirva
