#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "text/strings.h"

namespace mirva {

// The real reference files that the Debian package hamradio-files installs.
inline constexpr const char* kCountryFile = "/usr/share/hamradio-files/cty.dat";
inline constexpr const char* kCallFile = "/usr/share/hamradio-files/MASTER.SCP";

inline std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Every callsign of the call file, in its order.
inline std::vector<std::string> MasterCalls() {
  std::vector<std::string> calls;
  if (std::optional<std::string> text = ReadFile(kCallFile)) {
    for (std::string_view line : SplitLines(*text)) {
      line = Trim(line);
      if (!line.empty() && line.front() != '#')
        calls.emplace_back(line);
    }
  }
  return calls;
}

/// A fresh folder for one benchmark's files.
inline std::string BenchFolder(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("mirva-bench-" + name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace mirva
