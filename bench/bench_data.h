#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "log/log_store.h"
#include "log/qso_record.h"
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

/// A working directory with the real country file and, when asked, a log of `count` CW QSOs
/// made of real callsigns, each worked on up to six bands, with their CQ zone received.
inline std::string ContestFolder(const std::string& name, std::size_t count) {
  std::string dir = BenchFolder(name);
  std::filesystem::copy_file(kCountryFile, dir + "/CTY.DAT");
  std::vector<std::string> calls = MasterCalls();
  const char* bands[] = {"20", "40", "15", "80", "10", "160"};
  std::string bytes;
  for (std::size_t i = 0; i < count && !calls.empty(); ++i) {
    TQSOData q;
    q.Call = CutTo(calls[i % calls.size()], 12);
    q.Band = bands[(i / calls.size()) % 6];
    q.Mode = "CW";
    q.QSOTime = "12:00";
    q.NumberSent = "14";
    q.NumberRcvd = std::to_string(1 + i % 40);
    bytes += EncodeQSO(q);
  }
  std::ofstream(dir + "/" + kLogFileName, std::ios::binary) << bytes;
  return dir;
}

}  // namespace mirva
