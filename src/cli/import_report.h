#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// Exit statuses of an import; 2 stays the usage error of every command.
inline constexpr int kImportAllLogged = 0;
inline constexpr int kImportFailed = 1;
inline constexpr int kImportPartly = 3;

/// What an import tells the operator on standard error: each skipped line and each value cut
/// to its field as it comes, with the line number; each distinct error of the saves once, with
/// its count and first line; a progress line while it runs on a terminal; and at the end the
/// counts on standard output. Texts are Windows-1251.
class ImportReport {
 public:
  /// `source` names the file in messages; `lines` is its number of lines.
  ImportReport(std::string source, std::size_t lines, bool show_progress);

  /// The line (from 1) whose QSO is being imported, for the messages that follow.
  void AtLine(std::size_t line) { line_ = line; }
  void Skipped(std::string_view why);
  /// The line's QSO is logged, with these notes on values cut to their fields.
  void Logged(const std::vector<std::string>& cuts);
  /// An "X-QSO:" line, which is not logged.
  void Excluded();
  /// A "QSO:" line after "END-OF-LOG:", which is ignored.
  void AfterEnd();
  /// An error the save showed the operator; each text is printed once at the end.
  void SaveError(const std::string& text);
  /// Shows how far the import is, on a terminal.
  void Progress();

  /// Tells why the import stopped before line `next` and what the log holds; returns the exit
  /// status.
  int Stopped(std::size_t next, std::string_view why);
  /// Tells what was logged and what was not; returns the exit status.
  int Finish();

 private:
  /// A distinct error of the saves.
  struct SaveErrorCount {
    std::string text;
    std::size_t count = 0;
    std::size_t first_line = 0;
  };
  /// The first line and the number of lines of one kind.
  struct LineCount {
    std::size_t first = 0;
    std::size_t count = 0;
    void Add(std::size_t line);
  };

  /// Prints a line on standard error, over the progress line.
  void Say(std::string_view text);
  void ClearProgress();
  void PrintCounts() const;
  void PrintNotices();

  std::string source_;
  std::size_t lines_;
  bool show_progress_;
  bool progress_shown_ = false;
  std::size_t line_ = 0;
  std::size_t logged_ = 0;
  std::size_t last_logged_line_ = 0;
  std::size_t skipped_ = 0;
  std::size_t cut_ = 0;
  LineCount excluded_;
  LineCount after_end_;
  std::vector<SaveErrorCount> save_errors_;
  /// Position in save_errors_ of each text.
  std::map<std::string, std::size_t> save_error_index_;
};

}  // namespace mirva
