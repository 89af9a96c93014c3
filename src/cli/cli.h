#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/radio.h"

namespace mirva {

class Session;
class CallHistory;
class FileSystem;
class GroupSerials;
struct GroupSettings;
class SerialSource;
struct InputField;
struct TQSOData;
struct UtcTime;
class TerminalNotifier;
class WriterLock;
class Workspace;
struct StartOptions;
struct StartResult;
struct WorkspaceSettings;

/// A command line that cannot be carried out as given; exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// What a command needs besides the log and the contest. The contest's set-up tells what it
/// went without; a command that refuses without the country file, or scores QSOs and so tells
/// a station the points cannot count by with every score, says that itself, and once.
enum class Needs {
  kLog,        ///< nothing more
  kCountries,  ///< the country file the contest counts by: refused without it
  kScoring,    ///< that, and the command scores QSOs
};

/// For RequireNoMoreArgs: a command that takes any number of words.
inline constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

/// What every command gets: the global options and its own words, already in Windows-1251.
struct CliContext {
  CliContext();
  ~CliContext();

  std::string dir = ".";
  /// --contest, or the stored contest once the session is open.
  std::optional<std::string> contest;
  std::vector<std::pair<std::string, std::string>> station;  ///< --station KEY=VALUE, checked
  /// The command's words, in Windows-1251; filled by AddArg, which keeps the typed words in step.
  std::vector<std::string> args;
  /// How questions are answered; set before the session is opened.
  bool yes = false;
  /// --wait: how long a command that changes the log waits for another program to close it.
  std::chrono::seconds wait{0};
  /// The radio of the stored settings; read when the session is opened.
  RadioSettings radio;
  /// Whether a writer of a group's folder brings the group's side file in step with the log
  /// before the command changes it; `group sync` does that itself.
  bool settle_group = true;
  /// --history: the call history files (as typed, UTF-8), in place of those DIR keeps.
  std::vector<std::string> history_files;

  /// The session on DIR with the log loaded, the station DIR keeps with --station applied, and
  /// the contest of --contest set up (a name no definition knows is a UsageError), else the one
  /// DIR keeps. A directory that keeps none takes the program's last values, and says so. It
  /// changes no file of DIR, and every change of the log is refused.
  Session& OpenSession();
  /// The same, and a contest is required: without one it is a UsageError that says why. With
  /// `needs` more than the log, a country file the contest cannot count by is refused with an
  /// IoError that names it.
  Session& OpenContestSession(Needs needs = Needs::kLog);
  /// The session of a command that changes the log: the writers' lock of DIR is taken before
  /// the log is loaded and held until the context ends.
  Session& OpenWriterSession();
  /// The same, and a contest is required, as OpenContestSession.
  Session& OpenWriterContestSession(Needs needs = Needs::kLog);
  /// The message boxes of the session; valid once it is open.
  TerminalNotifier& notifier() const { return *notifier_; }
  /// The files of the session; valid once it is open.
  FileSystem& fs() const { return *fs_; }
  /// What the working directory keeps beside its log; valid once the session is open.
  const WorkspaceSettings& settings() const;
  /// The working directory's settings, to change; valid once the session is open.
  Workspace& workspace() const { return *workspace_; }
  /// The call history the session proposes from: the files of --history, else those DIR
  /// keeps; read at the first call, once the session is open, and each file's problem told.
  const CallHistory& History();
  /// Closes the session and lets go of the writers' lock; the next Open* opens them anew.
  void Close();
  /// Removes "--NAME VALUE" from args and returns the value.
  std::optional<std::string> TakeOption(std::string_view name);
  /// Removes every "--NAME VALUE" from args and returns the values in order.
  std::vector<std::string> TakeRepeatedOption(std::string_view name);
  /// Adds a word of the command as the terminal gave it (UTF-8).
  void AddArg(const std::string& word);
  /// Removes "--NAME PATH" from args and returns the path as the terminal gave it (UTF-8):
  /// a name with letters Windows-1251 lacks still reaches its file.
  std::optional<std::string> TakePathOption(std::string_view name);
  /// Word `index` of args as the terminal gave it (UTF-8), for a path.
  const std::string& PathArg(std::size_t index) const { return typed_args_.at(index); }
  /// Removes "--NAME" from args and tells whether it was there.
  bool TakeFlag(std::string_view name);
  /// Fails with a UsageError when an option is left that the command does not take, or more
  /// than `words` other words are; the option parsing of every command ends with it.
  void RequireNoMoreArgs(std::string_view command, std::size_t words = 0) const;
  /// Adds "KEY=VALUE" of --station (Windows-1251) to station; an unknown key, or a zone or
  /// position that is not a number in its range, is a UsageError.
  void AddStation(const std::string& pair);

 private:
  Session& Open(bool writer, bool needs_contest, Needs needs = Needs::kLog);
  /// Gives the session the group's serial numbers this station holds, when the directory
  /// belongs to a group and the contest numbers its QSOs.
  void UseGroupSerials(Session& session);
  /// Settles a change from the group that a crash left half-written, by recording what the
  /// log holds in the side file before this command changes the log, so that it is not taken
  /// for this command's own change.
  void SettleGroupSideFile(Session& session);
  /// Starts the workspace and tells what the start found, but what the command says itself.
  StartResult Start(const StartOptions& options, Needs needs);

  /// The options taken from args so far.
  std::vector<std::string> taken_;
  /// args as typed, word for word.
  std::vector<std::string> typed_args_;
  std::unique_ptr<WriterLock> lock_;
  std::unique_ptr<FileSystem> fs_;
  std::unique_ptr<TerminalNotifier> notifier_;
  std::unique_ptr<Workspace> workspace_;
  /// A station of a group numbers its QSOs from the group's numbers it holds.
  std::unique_ptr<GroupSerials> serials_;
  std::unique_ptr<SerialSource> serial_source_;
  std::unique_ptr<CallHistory> history_;
};

/// Removes "--NAME VALUE" from args and returns the value in Windows-1251, once the input
/// rule has passed it for the field; a value the rule refuses is a UsageError that says why.
std::optional<std::string> TakeInputOption(CliContext& cli, std::string_view name,
                                           const InputField& field);
/// The UTC time of --at "YYYY-MM-DD HH:MM", or the system's time without it; a UsageError
/// for any other text.
UtcTime TimeOf(const std::optional<std::string>& at);
/// Writes a line of Windows-1251 text to standard output as UTF-8.
void PrintLine(std::string_view text);
/// The tab-separated line `list` shows for QSO number `number` (from 1).
std::string QsoLine(std::size_t number, const TQSOData& q);
/// Joins texts with a separator.
std::string Join(const std::vector<std::string>& texts, std::string_view separator);
/// Why a band or mode (Windows-1251) is not in the contest's list, or nothing when it is.
std::string NotOneOf(const std::string& value, const std::vector<std::string>& allowed,
                     std::string_view what);
/// Refuses a band or mode that is not in the contest's list, as a drop-down list would; a
/// value not given passes.
void RequireOneOf(const std::optional<std::string>& value, const std::vector<std::string>& allowed,
                  std::string_view what);

int RunLookup(CliContext& cli);
int RunWsjtx(CliContext& cli);
int RunWpx(CliContext& cli);
int RunList(CliContext& cli);
int RunStatus(CliContext& cli);
int RunContests(CliContext& cli);
int RunContest(CliContext& cli);
int RunPoints(CliContext& cli);
int RunTotals(CliContext& cli);
int RunNextSent(CliContext& cli);
int RunRescore(CliContext& cli);
int RunAdd(CliContext& cli);
int RunImport(CliContext& cli);
int RunCheck(CliContext& cli);
int RunEdit(CliContext& cli);
int RunDelete(CliContext& cli);
int RunClear(CliContext& cli);
int RunCabrillo(CliContext& cli);
int RunAll(CliContext& cli);
int RunSum(CliContext& cli);
int RunAdif(CliContext& cli);
int RunSend(CliContext& cli);
int RunRate(CliContext& cli);
int RunScp(CliContext& cli);
int RunRadio(CliContext& cli);
int RunLink(CliContext& cli);
int RunGroup(CliContext& cli);
int RunSpots(CliContext& cli);
int RunHistory(CliContext& cli);

/// What a writer calls when its pool of the group's serial numbers runs dry: it takes more
/// from the group's counter and reloads `serials` from their file, or tells why it could not
/// and leaves them. Nothing when the directory has no broker or mirva-cli has no NATS client.
std::function<void()> GroupSerialRefill(Session& session, FileSystem& fs,
                                        TerminalNotifier& notifier, const GroupSettings& group,
                                        GroupSerials& serials);

}  // namespace mirva
