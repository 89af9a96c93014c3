#pragma once

#include <string>
#include <vector>

namespace mirva {

struct CliContext;

/// What a command line asks for once the global options are taken.
struct CommandLine {
  /// The command word, empty when none was given.
  std::string command;
  /// --help or -h came before anything the parse refused: print the usage and do nothing else.
  bool help = false;
  /// --version came before anything the parse refused: print the version and do nothing else.
  bool version = false;
};

/// Reads the words after the program's name: the global options go into `cli`, the first
/// other word is the command and the words after it go to cli.args. A global option without
/// its value, a bad value, or an unknown option before the command is a UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& words, CliContext& cli);

}  // namespace mirva
