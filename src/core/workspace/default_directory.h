#pragma once

#include <string>
#include <vector>

namespace mirva {

class FileSystem;

/// Where the windowed program works when it is given no directory: `current` when that
/// already holds a working directory's catalogue or log, otherwise `own` (~/mirva). A start
/// from the desktop's menu, in the home folder, so never strews a log there.
std::string DefaultWorkingDirectory(FileSystem& fs, const std::string& current,
                                    const std::string& own);

/// Where the files of a new working directory come from; an empty or missing folder gives none.
struct ReferenceSources {
  /// The reference files shipped with the program, README.md and hidden files aside.
  std::string shipped;
  /// The system's country file "cty.dat" and master call list "MASTER.SCP".
  std::string system;
};

/// Fills the existing folder `dir`: with every shipped file when it holds no file yet, and
/// with the system's country file and master call list when it has none of its own. Nothing
/// present is replaced, and each copy appears whole or not at all. Returns one line for the
/// operator per thing done; throws IoError naming the file that could not be copied.
std::vector<std::string> FillWorkingDirectory(FileSystem& fs, const std::string& dir,
                                              const ReferenceSources& from);

}  // namespace mirva
