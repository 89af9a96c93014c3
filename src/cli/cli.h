#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

class Session;

/// A command line that cannot be carried out as given; exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// What every command gets: the global options and its own words, already in Windows-1251.
struct CliContext {
  std::string dir = ".";
  std::vector<std::string> args;
};

/// Writes a line of Windows-1251 text to standard output as UTF-8.
void PrintLine(std::string_view text);
/// Joins fields with TAB characters.
std::string JoinTabs(const std::vector<std::string>& fields);
/// Fails with a clear message when the country file cannot be read.
void RequireCountryFile(Session& session);

int RunLookup(CliContext& cli);
int RunWpx(CliContext& cli);
int RunList(CliContext& cli);
int RunStatus(CliContext& cli);

}  // namespace mirva
