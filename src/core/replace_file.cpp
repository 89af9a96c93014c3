#include "replace_file.h"

#include "error.h"
#include "file_system.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

std::string PartialPathFor(const std::string& path) {
  return JoinPath(ParentPath(path), "." + FileNameOf(path) + ".partial");
}

void ReplaceFile(FileSystem& fs, const std::string& path, std::string_view bytes,
                 std::string_view failure) {
  const std::string temporary = PartialPathFor(path);
  try {
    fs.WriteFileLike(temporary, bytes, path);
    fs.Rename(temporary, path);
  } catch (const IoError& e) {
    std::string message = std::string(failure) + " " + PathText(path) + ": " + e.what();
    try {
      fs.Remove(temporary);
    } catch (const IoError& left) {
      message += "\r\n" + std::string(left.what());
    }
    throw IoError(message);
  }
}

}  // namespace mirva
