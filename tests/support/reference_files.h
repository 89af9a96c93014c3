#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace mirva {

/// The files a contest is set up from, by name, read once: the test country files
/// (CTY.DAT, P-150-C.DAT) and the shipped catalogue and domestic lists.
inline const std::map<std::string, std::string>& ReferenceFiles() {
  static const std::map<std::string, std::string> files = [] {
    namespace fsys = std::filesystem;
    std::map<std::string, std::string> read;
    auto add = [&](const fsys::path& path) {
      std::ifstream in(path, std::ios::binary);
      read[path.filename().string()].assign(std::istreambuf_iterator<char>(in), {});
    };
    for (const char* name : {"CTY.DAT", "P-150-C.DAT"})
      add(fsys::path(MIRVA_TEST_DATA) / "contest" / name);
    for (const auto& entry : fsys::directory_iterator(MIRVA_SHIPPED_DATA))
      add(entry.path());
    return read;
  }();
  return files;
}

/// Writes the reference files into the folder.
inline void CopyReferenceFiles(const std::string& folder) {
  for (const auto& [name, bytes] : ReferenceFiles())
    std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << bytes;
}

}  // namespace mirva
