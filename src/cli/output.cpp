#include <cstdio>

#include "cli.h"
#include "session/session.h"
#include "text/cp1251.h"

namespace mirva {

void PrintLine(std::string_view text) {
  std::string line = Cp1251ToUtf8(text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

std::string Join(const std::vector<std::string>& texts, std::string_view separator) {
  std::string line;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0)
      line += separator;
    line += texts[i];
  }
  return line;
}

void RequireCountryFile(Session& session) {
  if (!session.LoadCountryFile(1))
    throw std::runtime_error("Cannot read the country file " + session.PathOf(kCountryFileName));
}

}  // namespace mirva
