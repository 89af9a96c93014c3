#include "import_report.h"

#include <cstdio>

#include "cli.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string Lines(std::size_t count, std::string_view what) {
  return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

/// "on line 7" for one, "the first on line 7" for more.
std::string Where(std::size_t count, std::size_t first) {
  return (count == 1 ? "on line " : "the first on line ") + std::to_string(first);
}

/// A message box's text on one line.
std::string OneLine(std::string_view text) {
  std::string line;
  for (std::string_view part : SplitLines(text))
    line += (line.empty() ? "" : " ") + std::string(Trim(part));
  return line;
}

}  // namespace

void ImportReport::LineCount::Add(std::size_t line) {
  if (count++ == 0)
    first = line;
}

ImportReport::ImportReport(std::string source, std::size_t lines, bool show_progress)
    : source_(std::move(source)), lines_(lines), show_progress_(show_progress) {}

void ImportReport::Skipped(std::string_view why) {
  ++skipped_;
  Say("line " + std::to_string(line_) + " skipped: " + std::string(why));
}

void ImportReport::Logged(const std::vector<std::string>& cuts) {
  ++logged_;
  last_logged_line_ = line_;
  for (const std::string& cut : cuts)
    Say("line " + std::to_string(line_) + ": " + cut);
  if (!cuts.empty())
    ++cut_;
}

void ImportReport::Excluded() {
  excluded_.Add(line_);
}

void ImportReport::AfterEnd() {
  after_end_.Add(line_);
}

void ImportReport::SaveError(const std::string& text) {
  auto [at, added] = save_error_index_.try_emplace(text, save_errors_.size());
  if (added)
    save_errors_.push_back({text, 0, line_});
  ++save_errors_[at->second].count;
}

void ImportReport::Progress() {
  if (!show_progress_)
    return;
  std::string line = "Importing " + source_ + ": line " + std::to_string(line_) + " of " +
                     std::to_string(lines_) + ", " + std::to_string(logged_) + " QSOs logged";
  std::fprintf(stderr, "\r%s\x1B[K", Cp1251ToUtf8(line).c_str());
  std::fflush(stderr);
  progress_shown_ = true;
}

int ImportReport::Stopped(std::size_t next, std::string_view why) {
  ClearProgress();
  PrintNotices();
  Say("mirva-cli: the import of " + source_ + " stopped at line " + std::to_string(next) + ": " +
      std::string(why));
  if (next == 1) {
    Say("No line was imported.");
  } else {
    std::string last =
        logged_ > 0 ? ", the last from line " + std::to_string(last_logged_line_) : "";
    Say("Lines 1 to " + std::to_string(next - 1) + " were imported, " + Lines(logged_, "QSO") +
        " logged" + last + ". To go on, import the lines from " + std::to_string(next) + " on.");
  }
  PrintCounts();
  return kImportFailed;
}

int ImportReport::Finish() {
  ClearProgress();
  PrintNotices();
  PrintCounts();
  if (logged_ == 0) {
    bool no_lines = skipped_ + excluded_.count + after_end_.count == 0;
    Say("mirva-cli: no QSO logged: " + source_ +
        (no_lines ? " has no QSO: line" : " has no QSO: line that could be logged"));
    return kImportFailed;
  }
  return skipped_ + cut_ + after_end_.count > 0 ? kImportPartly : kImportAllLogged;
}

void ImportReport::Say(std::string_view text) {
  ClearProgress();
  std::fprintf(stderr, "%s\n", Cp1251ToUtf8(text).c_str());
}

void ImportReport::ClearProgress() {
  if (!progress_shown_)
    return;
  std::fputs("\r\x1B[K", stderr);
  progress_shown_ = false;
}

void ImportReport::PrintNotices() {
  for (const SaveErrorCount& error : save_errors_) {
    Say("Error: " + OneLine(error.text) + " (" + Lines(error.count, "QSO") + ", " +
        Where(error.count, error.first_line) + ")");
  }
  if (excluded_.count > 0) {
    Say(Lines(excluded_.count, "X-QSO: line") + " not logged, " +
        Where(excluded_.count, excluded_.first) + ": the file marks such QSOs as not counting.");
  }
  if (after_end_.count > 0) {
    Say(Lines(after_end_.count, "QSO: line") + " after END-OF-LOG: ignored, " +
        Where(after_end_.count, after_end_.first) + ".");
  }
}

void ImportReport::PrintCounts() const {
  PrintLine("Logged: " + std::to_string(logged_));
  PrintLine("Skipped: " + std::to_string(skipped_));
  if (cut_ > 0)
    PrintLine("Logged with a value cut: " + std::to_string(cut_));
  if (excluded_.count > 0)
    PrintLine("X-QSO not logged: " + std::to_string(excluded_.count));
  if (after_end_.count > 0)
    PrintLine("Ignored after END-OF-LOG: " + std::to_string(after_end_.count));
}

}  // namespace mirva
