#pragma once

// The reference files a session reads to set up any contest, loaded from the source tree once,
// for the targets that drive a whole session.
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace mirva_fuzz {

inline std::string ReadSourceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// The files by their path below the working directory "d".
inline const std::map<std::string, std::string>& ReferenceFiles() {
  static const std::map<std::string, std::string> files = [] {
    std::map<std::string, std::string> f;
    const std::string data = MIRVA_SOURCE_DIR "/data/";
    const std::string contest = MIRVA_SOURCE_DIR "/tests/data/contest/";
    f["d/CTY.DAT"] = ReadSourceFile(contest + "CTY.DAT");
    f["d/P-150-C.DAT"] = ReadSourceFile(contest + "P-150-C.DAT");
    for (const char* name : {"Spain.DOM", "ITALY.DOM", "Helvetia.DOM", "RUS.DOM"})
      f[std::string("d/") + name] = ReadSourceFile(data + name);
    std::string table;
    for (int row = 1; row <= 40; ++row) {
      for (int column = 1; column <= 40; ++column)
        table += std::to_string((row * column) % 9) + " ";
      table += "\r\n";
    }
    f["d/points.tbl"] = table;
    return f;
  }();
  return files;
}

}  // namespace mirva_fuzz
