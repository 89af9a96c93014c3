#include "text/utf8_path.h"

namespace mirva {

std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Text(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  return Utf8Text(Utf8Path(dir) / Utf8Path(name));
}

std::string ParentPath(std::string_view path) {
  return Utf8Text(Utf8Path(path).parent_path());
}

std::string FileNameOf(std::string_view path) {
  return Utf8Text(Utf8Path(path).filename());
}

}  // namespace mirva
