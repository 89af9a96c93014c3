#include "session/output_file.h"

#include <optional>
#include <set>
#include <vector>

#include "contest/rules/rules.h"
#include "error.h"
#include "log/log_store.h"
#include "reference/band_plan.h"
#include "replace_file.h"
#include "session/rescore.h"
#include "session/session.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

/// A file of the working directory that no output may replace.
struct GuardedFile {
  std::string name;
  std::string what;  ///< what the file is, for the operator
};

constexpr char kTornCopyWhat[] = "a partial record set aside from the log";
constexpr char kSettingsWhat[] = "a settings file of the working directory";

/// Every file the program reads or writes in the working directory under a fixed name, with
/// the domestic lists that the contests name and the torn-tail copies that exist, numbered as
/// the log store numbers them.
std::vector<GuardedFile> GuardedFiles(Session& session) {
  std::vector<GuardedFile> files = {
      {kLogFileName, "the log"},
      {kRescoreCopyName, "the log as it was before the last rescoring"},
      {kLogTempName, "the new log while it is written"},
      {kLogBackupName, "the previous log"},
      {kLockFileName, "the lock that keeps a second program from writing the log"},
      {kCountryFileName, "the country file"},
      {kP150CountryFileName, "the second country file, which one contest counts by"},
      {kCatalogueFileName, "the list of contests offered"},
      {kPointsTableFileName, "the points table"},
      // The band plan under the case its existing file has: a link to it is refused too.
      {FileNameOf(BandPlanPath(session.fs(), session.PathOf(kBandPlanFileName))), "the band plan"},
      {"operators.ini", "the station's operators"},
      {"mirva.INI", "the entry shared with the companion programs"},
      {"loginput.ini", "the entry the companion programs fill"},
  };
  std::set<std::string_view> lists;
  for (const ContestRules* rules : AllContestRules()) {
    if (!rules->domestic_list.empty() && lists.insert(rules->domestic_list).second)
      files.push_back({std::string(rules->domestic_list), "a domestic list"});
  }
  std::string name = kTornTailName;
  for (int n = 2; session.fs().Exists(session.PathOf(name)); ++n) {
    files.push_back({name, kTornCopyWhat});
    name = std::string(kTornTailName) + "." + std::to_string(n);
  }
  return files;
}

/// Whether two spellings of a path are the same once "." and ".." are resolved by name.
bool LexicallySame(const std::string& a, const std::string& b) {
  return Utf8Path(a).lexically_normal() == Utf8Path(b).lexically_normal();
}

/// The folder part of a path, "." for a bare file name.
std::string FolderOf(const std::string& path) {
  std::string folder = ParentPath(path);
  return folder.empty() ? "." : folder;
}

/// The guarded file that writing to `path` would replace, if any.
std::optional<GuardedFile> GuardedFileAt(Session& session, const std::string& path) {
  FileSystem& fs = session.fs();
  const std::string typed = FileNameOf(path);
  const std::string name = FoldedName(typed);
  const std::string folder = FolderOf(path);
  const std::string dir = FolderOf(session.PathOf(kLogFileName));
  // A file not created yet has no identity on disk: then its folder and name decide.
  const bool in_dir = fs.SameFile(folder, dir) || LexicallySame(folder + "/", dir + "/");
  for (const GuardedFile& file : GuardedFiles(session)) {
    if (fs.SameFile(path, session.PathOf(file.name)) || (in_dir && name == FoldedName(file.name)))
      return file;
  }
  if (in_dir && name.starts_with(kTornTailName))
    return GuardedFile{typed, kTornCopyWhat};
  if (in_dir && name.ends_with(".ini"))
    return GuardedFile{typed, kSettingsWhat};
  return std::nullopt;
}

/// Where an output is written before it is renamed into place: beside the target, so that
/// the rename stays on one file system, and hidden.
}  // namespace

void WriteOutputFile(Session& session, const std::string& path, std::string_view bytes) {
  if (std::optional<GuardedFile> file = GuardedFileAt(session, path)) {
    if (file->name == kLogFileName)
      throw IoError("Will not write over the log " + PathText(path));
    throw IoError("Will not write over " + PathText(path) + ": it is " + file->name + ", " +
                  file->what);
  }
  ReplaceFile(session.fs(), path, bytes, "Nothing was written to");
}

}  // namespace mirva
