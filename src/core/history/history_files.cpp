#include "history/history_files.h"

#include "text/path_text.h"
#include "text/strings.h"
#include "text/utf8_path.h"

namespace mirva {

LoadedHistory LoadCallHistory(FileSystem& fs, std::string_view dir,
                              std::span<const std::string> paths) {
  LoadedHistory loaded;
  for (const std::string& path : paths) {
    std::string full = Utf8Path(path).is_absolute() ? path : JoinPath(dir, path);
    std::optional<std::string> text = fs.ReadFile(full);
    if (!text) {
      HistoryFileReport report;
      report.file = PathText(path);
      report.problem = "The call history file " + report.file + " cannot be read.";
      loaded.reports.push_back(std::move(report));
      continue;
    }
    loaded.reports.push_back(loaded.history->Add(PathText(path), *text));
  }
  return loaded;
}

std::vector<std::string> HistoryPaths(std::string_view lines) {
  std::vector<std::string> paths;
  for (std::string_view line : SplitLines(lines)) {
    if (!Trim(line).empty())
      paths.emplace_back(Trim(line));
  }
  return paths;
}

std::string HistoryPathsText(std::span<const std::string> paths) {
  std::string text;
  for (const std::string& path : paths)
    text += (text.empty() ? "" : "\n") + path;
  return text;
}

}  // namespace mirva
