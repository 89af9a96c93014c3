#include "command_line.h"

#include <chrono>

#include "cli.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

const std::string& NeedValue(std::size_t& i, const std::vector<std::string>& words,
                             const std::string& option) {
  if (++i >= words.size())
    throw UsageError(option + " needs a value");
  return words[i];
}

/// The --wait value: whole seconds, at most a day.
std::chrono::seconds WaitSeconds(const std::string& text) {
  if (text.empty() || text.size() > 5 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) > 86400)
    throw UsageError("--wait takes whole seconds from 0 to 86400, not '" + text + "'");
  return std::chrono::seconds(std::stoi(text));
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words, CliContext& cli) {
  CommandLine line;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& arg = words[i];
    if (arg == "--dir") {
      cli.dir = NeedValue(i, words, arg);
    } else if (arg == "--contest") {
      cli.contest = Utf8ToCp1251(NeedValue(i, words, arg));
    } else if (arg == "--station" && line.command != "group") {  // group names its station
      cli.AddStation(Utf8ToCp1251(NeedValue(i, words, arg)));
    } else if (arg == "--wait" && line.command != "send") {  // send waits in milliseconds
      cli.wait = WaitSeconds(NeedValue(i, words, arg));
    } else if (arg == "--history") {
      cli.history_files.push_back(NeedValue(i, words, arg));
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
      return line;
    } else if (arg == "--version") {
      line.version = true;
      return line;
    } else if (line.command.empty() && arg.starts_with("--")) {
      throw UsageError("unknown option '" + arg + "'");
    } else if (line.command.empty()) {
      line.command = arg;
    } else {
      cli.AddArg(arg);
    }
  }
  return line;
}

}  // namespace mirva
