// mirva-cli: the contest core from a terminal. The terminal speaks UTF-8; every word is
// converted to Windows-1251 on the way in and every line back on the way out.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli.h"
#include "text/cp1251.h"

namespace mirva {
namespace {

struct CommandEntry {
  const char* name;
  int (*run)(CliContext&);
};

constexpr CommandEntry kCommands[] = {
    {"lookup", RunLookup},
    {"wpx", RunWpx},
    {"list", RunList},
    {"status", RunStatus},
};

constexpr char kUsage[] =
    "usage: mirva-cli [--dir DIR] COMMAND [ARGS]\n"
    "  lookup CALL...   country, CQ zone, ITU zone and continent of each call\n"
    "  wpx CALL...      WPX prefix of each call\n"
    "  list             the QSOs of the log, one per line\n"
    "  status           what the working directory holds\n";

int Run(int argc, char** argv) {
  CliContext cli;
  std::string command;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--dir") {
      if (++i >= argc)
        throw UsageError("--dir needs a folder");
      cli.dir = argv[i];
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (command.empty() && arg.rfind("--", 0) != 0) {
      command = arg;
    } else {
      cli.args.push_back(Utf8ToCp1251(arg));
    }
  }
  for (const CommandEntry& entry : kCommands) {
    if (command == entry.name)
      return entry.run(cli);
  }
  throw UsageError(command.empty() ? "no command given" : "unknown command '" + command + "'");
}

}  // namespace
}  // namespace mirva

int main(int argc, char** argv) {
  try {
    return mirva::Run(argc, argv);
  } catch (const mirva::UsageError& e) {
    std::fprintf(stderr, "mirva-cli: %s\n%s", e.what(), mirva::kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mirva-cli: %s\n", mirva::Cp1251ToUtf8(e.what()).c_str());
    return 1;
  }
}
