#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirva {

class Session;
class PosixFileSystem;
struct TQSOData;
class TerminalNotifier;

/// A command line that cannot be carried out as given; exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// What every command gets: the global options and its own words, already in Windows-1251.
struct CliContext {
  CliContext();
  ~CliContext();

  std::string dir = ".";
  std::optional<std::string> contest;
  std::vector<std::pair<std::string, std::string>> station;  ///< --station KEY=VALUE
  std::vector<std::string> args;

  /// The session on DIR with the log loaded, the stored station applied and the contest of
  /// --contest set up (a name no definition knows is a UsageError).
  Session& OpenSession();
  /// The same, and a contest is required.
  Session& OpenContestSession();
  /// Removes "--NAME VALUE" from args and returns the value.
  std::optional<std::string> TakeOption(std::string_view name);

 private:
  std::unique_ptr<PosixFileSystem> fs_;
  std::unique_ptr<TerminalNotifier> notifier_;
  std::unique_ptr<Session> session_;
};

/// Writes a line of Windows-1251 text to standard output as UTF-8.
void PrintLine(std::string_view text);
/// The tab-separated line `list` shows for QSO number `number` (from 1).
std::string QsoLine(std::size_t number, const TQSOData& q);
/// Joins texts with a separator.
std::string Join(const std::vector<std::string>& texts, std::string_view separator);
/// Fails with a clear message when the country file cannot be read.
void RequireCountryFile(Session& session);

int RunLookup(CliContext& cli);
int RunWpx(CliContext& cli);
int RunList(CliContext& cli);
int RunStatus(CliContext& cli);
int RunContests(CliContext& cli);
int RunContest(CliContext& cli);
int RunPoints(CliContext& cli);

}  // namespace mirva
