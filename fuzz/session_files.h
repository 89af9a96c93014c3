#pragma once

// The working directory "d" of the targets that drive a whole session: the reference files of
// the tests and a points table, built once.
#include <map>
#include <string>

#include "reference_files.h"

namespace mirva_fuzz {

/// The files by their path below the working directory "d".
inline const std::map<std::string, std::string>& SessionFiles() {
  static const std::map<std::string, std::string> files = [] {
    std::map<std::string, std::string> f;
    for (const auto& [name, bytes] : mirva::ReferenceFiles())
      f["d/" + name] = bytes;
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
