#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// Cuts what a cluster node sends, in pieces as they arrive, into lines: a line ends at CR LF,
/// LF or CR; the telnet commands (IAC with its option, IAC SB ... IAC SE) are taken out, IAC
/// IAC stands for the byte 0xFF, and BEL and NUL are dropped, wherever the pieces split them.
class ClusterStream {
 public:
  /// A line longer than this is cut there and the rest of it dropped.
  static constexpr std::size_t kMaxLine = 1024;

  /// The lines the piece completes, without their line ends.
  std::vector<std::string> Feed(std::string_view bytes);
  /// The text after the last line end (a prompt without one); it is taken out.
  std::string TakePartial();

 private:
  enum class Telnet { kData, kCommand, kOption, kSub, kSubCommand };

  void Add(char c, std::vector<std::string>& lines);

  Telnet telnet_ = Telnet::kData;
  std::string line_;
  bool after_cr_ = false;
  bool cut_ = false;  ///< the line reached kMaxLine: the rest up to its end is dropped
};

}  // namespace mirva
