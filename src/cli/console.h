#pragma once

#include <string>
#include <vector>

namespace mirva {

/// The command line's words in UTF-8, as the terminal gave them, once standard output and
/// standard error are set up to pass the tool's UTF-8 bytes on unchanged (on Windows: no
/// line-end translation, a console shown UTF-8).
std::vector<std::string> ConsoleArguments(int argc, char** argv);

}  // namespace mirva
