#include "workspace/default_directory.h"

#include <algorithm>

#include "contest/catalogue_line.h"
#include "file_system.h"
#include "log/log_store.h"
#include "reference/master_calls.h"
#include "replace_file.h"
#include "session/session.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

constexpr char kCopyFailure[] = "The reference file could not be copied to";

/// Copies `from` to `to` unless `to` exists or `from` cannot be read; true when it copied.
bool CopyIfAbsent(FileSystem& fs, const std::string& from, const std::string& to) {
  if (fs.Exists(to))
    return false;
  std::optional<std::string> bytes = fs.ReadFile(from);
  if (!bytes)
    return false;
  ReplaceFile(fs, to, *bytes, kCopyFailure);
  return true;
}

}  // namespace

std::string DefaultWorkingDirectory(FileSystem& fs, const std::string& current,
                                    const std::string& own) {
  bool in_use = fs.Exists(JoinPath(current, kCatalogueFileName)) ||
                fs.Exists(JoinPath(current, kLogFileName));
  return in_use ? current : own;
}

std::vector<std::string> FillWorkingDirectory(FileSystem& fs, const std::string& dir,
                                              const ReferenceSources& from) {
  std::vector<std::string> done;
  if (!from.shipped.empty() && fs.FileNames(dir).empty()) {
    std::vector<std::string> names = fs.FileNames(from.shipped);
    std::sort(names.begin(), names.end());
    int copied = 0;
    for (const std::string& name : names) {
      if (name != "README.md" && !name.starts_with('.') &&
          CopyIfAbsent(fs, JoinPath(from.shipped, name), JoinPath(dir, name)))
        ++copied;
    }
    if (copied > 0)
      done.push_back("New working directory " + PathText(dir) + " prepared from " +
                     PathText(from.shipped));
  }
  if (from.system.empty())
    return done;
  struct SystemFile {
    const char* source;
    const char* target;
    const char* what;
  };
  const SystemFile files[] = {{"cty.dat", kCountryFileName, "Country file"},
                              {"MASTER.SCP", kMasterCallsFileName, "Master call list"}};
  for (const SystemFile& file : files) {
    std::string target = JoinPath(dir, file.target);
    if (CopyIfAbsent(fs, JoinPath(from.system, file.source), target))
      done.push_back(std::string(file.what) + " copied to " + PathText(target));
  }
  return done;
}

}  // namespace mirva
