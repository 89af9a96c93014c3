#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"
#include "history/call_history.h"

namespace mirva {

/// The call history of several files, and what each gave.
struct LoadedHistory {
  std::unique_ptr<CallHistory> history = std::make_unique<CallHistory>();
  std::vector<HistoryFileReport> reports;
};

/// Reads the files (UTF-8 paths; a relative one in the folder `dir`) in order, a later
/// file's values winning. A file that cannot be read gives nothing and a report naming it.
LoadedHistory LoadCallHistory(FileSystem& fs, std::string_view dir,
                              std::span<const std::string> paths);

/// The paths of a settings value, one a line; blank lines are no path.
std::vector<std::string> HistoryPaths(std::string_view lines);
/// The settings value of the paths: one a line.
std::string HistoryPathsText(std::span<const std::string> paths);

}  // namespace mirva
