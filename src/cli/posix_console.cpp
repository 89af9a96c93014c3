#include "console.h"

namespace mirva {

std::vector<std::string> ConsoleArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace mirva
