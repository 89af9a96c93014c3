// mirva-cli: the contest core from a terminal. The terminal speaks UTF-8; every word is
// converted to Windows-1251 on the way in and every line back on the way out.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli.h"
#include "command_line.h"
#include "console.h"
#include "program_version.h"
#include "text/cp1251.h"

namespace mirva {
namespace {

struct CommandEntry {
  const char* name;
  int (*run)(CliContext&);
};

constexpr CommandEntry kCommands[] = {
    {"lookup", RunLookup},   {"wpx", RunWpx},           {"list", RunList},
    {"status", RunStatus},   {"contests", RunContests}, {"contest", RunContest},
    {"points", RunPoints},   {"add", RunAdd},           {"import", RunImport},
    {"check", RunCheck},     {"totals", RunTotals},     {"next-sent", RunNextSent},
    {"rescore", RunRescore}, {"edit", RunEdit},         {"delete", RunDelete},
    {"clear", RunClear},     {"cabrillo", RunCabrillo}, {"all", RunAll},
    {"sum", RunSum},         {"adif", RunAdif},         {"send", RunSend},
    {"rate", RunRate},       {"scp", RunScp},           {"radio", RunRadio},
    {"link", RunLink},       {"group", RunGroup},       {"spots", RunSpots},
    {"history", RunHistory}, {"wsjtx", RunWsjtx},
};

constexpr char kUsage[] =
    "usage: mirva-cli [--dir DIR] [--contest NAME] [--station KEY=VALUE]... [--wait SECONDS]\n"
    "                 [--history FILE]... COMMAND [ARGS]\n"
    "       mirva-cli --version\n"
    "  lookup CALL...   country, CQ zone, ITU zone and continent of each call\n"
    "  wpx CALL...      WPX prefix of each call\n"
    "  list             the QSOs of the log, one per line\n"
    "  status           what the working directory holds, the contest and the station\n"
    "  scp TEXT [--band B] [--mode M]\n"
    "                   the calls of MASTER.SCP in DIR that contain TEXT (2 to 15 of A-Z,\n"
    "                   0-9 and '/'), then those one character changed, added or removed\n"
    "                   from it, at most 100 and 50; each marked \"worked\" when the log\n"
    "                   holds it, or \"dupe\" when working it now on the band and mode\n"
    "                   (default: the contest's first) is a duplicate\n"
    "  contests         the catalogue: each line, \"known\" when it names a contest, or\n"
    "                   \"unknown:\" and why not\n"
    "  contest          the set-up contest: bands, modes, captions, multiplier lists\n"
    "  points CALL BAND MODE [RCVD] [--time HH:MM]\n"
    "                   the points a save would give the QSO now, and dupe or new\n"
    "  add --call CALL [--at \"YYYY-MM-DD HH:MM\"] [--band B] [--mode M] [--rst-s R]\n"
    "      [--sent S] [--rst-r R] [--rcvd X] [--note TEXT] [--yes]\n"
    "                   logs a QSO as the entry window's save does, at the given UTC time\n"
    "                   (default now); left-out fields take what the window proposes, and\n"
    "                   --yes saves it with an empty received exchange\n"
    "  import FILE      logs the QSO: lines of a Cabrillo log (- reads standard input);\n"
    "                   exits with 3 when some of them were not logged as written\n"
    "  check CALL [--band B] [--mode M] [--rcvd X] [--at \"YYYY-MM-DD HH:MM\"]\n"
    "                   what the entry window shows for CALL; logs nothing\n"
    "  totals           QSOs, points, multipliers, score and QSOs per mode and band\n"
    "  rate [--at \"YYYY-MM-DD HH:MM\"]\n"
    "                   QSOs per UTC clock hour and band, then the QSOs of the last 10 and\n"
    "                   60 minutes up to the given minute (default now) and the best 60\n"
    "                   minutes of the log (any 60 minutes in a row, not only clock hours)\n"
    "  next-sent        the exchange to send in the next QSO\n"
    "  rescore          scores the whole log again under the contest, then the totals\n"
    "  edit N [--date YYYY-MM-DD] [--time HH:MM] [--call X] [--band X] [--mode X]\n"
    "       [--rst-s X] [--sent X] [--rst-r X] [--rcvd X] [--note X]\n"
    "                   changes fields of QSO number N (from 1) as the edit window does;\n"
    "                   points and multipliers follow at the next rescore\n"
    "  delete N         deletes QSO number N (from 1)\n"
    "  clear --yes      empties the log\n"
    "  cabrillo [--check] [--out FILE] [--call C] [--name X] [--arrl-section X]\n"
    "      [--category-operator X] [--category-band X] [--category-power X]\n"
    "      [--category-mode X] [--club X] [--operators X] [--address LINE]...\n"
    "      [--soapbox LINE]... [--v3 [--location X] [--category-overlay X] [--email X]\n"
    "      [--city X] [--state-province X] [--postal-code X] [--country X]]\n"
    "                   the Cabrillo log, as the report preview saves it (OEM 866, CR LF);\n"
    "                   --v3 writes Cabrillo 3.0 in place of 2.0; what a sponsor's robot\n"
    "                   would reject is told on standard error first, and --check only\n"
    "                   tells it, writing nothing (exit status 3 when there is any)\n"
    "  all [--out FILE] [--call C]\n"
    "                   the ALL report, one line per QSO\n"
    "  sum [--out FILE] [--call C] [--class X] [--period X] [--address LINE]...\n"
    "      [--equipment LINE]... [--comments LINE]...\n"
    "                   the summary sheet, with the operators of operators.ini in DIR;\n"
    "                   without --out a report goes to standard output, and --call\n"
    "                   defaults to the station callsign\n"
    "  adif --out FILE [--standard]\n"
    "                   writes the log as an ADIF file and prints \"Exported: N QSOs\";\n"
    "                   QSOs without date, time, call, band or mode are left out;\n"
    "                   --standard writes ADIF 3.1.4 fields in UTF-8\n"
    "  send CODE MASK [--wait MS]\n"
    "                   sends the companion command CODE with the field mask MASK (whole\n"
    "                   numbers from 0 to 4294967295) on the D-Bus session bus, as a\n"
    "                   companion program does, and prints the program's answer as\n"
    "                   \"reply: wParam W lParam L\"; exits with 0 when one came within MS\n"
    "                   milliseconds (default 1000), with 3 after \"no reply within MS ms\",\n"
    "                   and with 1 when there is no session bus\n"
    "  radio [--model N] [--port DEVICE|HOST:PORT] [--speed BPS]\n"
    "                   asks the radio once through Hamlib and prints its frequency (kHz)\n"
    "                   and mode, and the band and mode the entry window would go to under\n"
    "                   the band plan Bandplan.mrv of DIR; the radio defaults to the one mirva\n"
    "                   keeps (model 2 is a rigctld at HOST:PORT); exits with 1 when it does\n"
    "                   not answer\n"
    "  link [--yes]     hosts the companion link without windows until Ctrl+C: answers a\n"
    "                   companion's commands on the entry, loading its fields from\n"
    "                   loginput.ini and saving into the log as the entry window does\n"
    "                   (--yes saves with an empty received exchange); Windows only\n"
    "  spots --cluster HOST:PORT [--cluster HOST:PORT]... --call CALL [--seconds N]\n"
    "      [--console]\n"
    "                   logs in to each DX cluster node with CALL and prints each spot it\n"
    "                   sends as a line: frequency (kHz), call, spotter, what working it now\n"
    "                   would bring (mult, qso, dupe or out: not on a band or mode of the\n"
    "                   contest) and the new multipliers; --console shows the nodes' other\n"
    "                   text on standard error. Ends after N seconds or when every node has\n"
    "                   closed the connection; exits with 1 when one cannot be reached\n"
    "  wsjtx [--listen ADDRESS:PORT] [--seconds N]\n"
    "                   logs each QSO that WSJT-X or JTDX announces by UDP (default\n"
    "                   127.0.0.1:2237; a group address 224.0.0.0/4 is joined) as the entry's\n"
    "                   save does, once however often it is announced, and prints it: number,\n"
    "                   time, call, band, mode, received exchange, points; a QSO the contest\n"
    "                   cannot take and a broken datagram are told on standard error. Ends\n"
    "                   after N seconds or at Ctrl+C, telling how many were logged and skipped\n"
    "  group sync [--server URL] [--group NAME] [--station NAME] [--token-file FILE]\n"
    "      [--ca-file FILE] [--replicas N] [--serials-per-band yes|no] [--follow]\n"
    "                   exchanges the log's new, edited and deleted QSOs with the group's\n"
    "                   other stations through a NATS broker (nats://HOST:PORT, or tls://;\n"
    "                   a cluster's nodes comma-separated, --replicas 1 to 5 of them keeping\n"
    "                   the group's stream when this station creates it, default 1);\n"
    "                   NAME is 1 to 32 letters, digits, '-' or '_' (a station's begins with\n"
    "                   a letter or a digit), and the token file holds the group's secret on\n"
    "                   its first line: a token, or USER:PASSWORD; --ca-file names the\n"
    "                   certificates a tls:// broker's own is checked against (\"\" forgets\n"
    "                   it). DIR's workspace.ini keeps these settings (the files' paths,\n"
    "                   never the secret) for the next sync without options. Exits with 0\n"
    "                   when both sides hold everything, and with 1, the log unchanged, when\n"
    "                   the broker cannot be reached or refuses; --follow keeps exchanging\n"
    "                   until Ctrl+C or SIGTERM. In a contest with serial numbers each sync\n"
    "                   also takes numbers from the group for add (--serials-per-band yes:\n"
    "                   each band numbered on its own)\n"
    "  history export FILE\n"
    "                   writes a call history of the log: \"!!Order!!,Call,COLUMN\", a line\n"
    "                   per call with its last received exchange in the column the contest\n"
    "                   proposes from; exits with 2 for a contest whose exchange is a serial\n"
    "--history FILE     proposes received exchanges, names and user texts from these call\n"
    "  history files in place of those DIR's workspace.ini keeps (the program's \"Call\n"
    "  history\" dialog sets them); a later file's value wins\n"
    "add, import, check, totals, next-sent, rescore, edit, cabrillo, all and sum need a\n"
    "  contest. --contest and --station are optional: the contest defaults to the one the\n"
    "  program mirva chose last (its line of Contests.mrv in DIR) and the station to the one\n"
    "  it keeps, which --station keys change field by field. mirva keeps both in\n"
#ifdef _WIN32
    "  the registry key HKEY_CURRENT_USER\\Software\\Mirva contest module.\n"
#else
    "  $XDG_CONFIG_HOME/Mirva contest module.conf ($XDG_CONFIG_HOME: ~/.config when unset).\n"
#endif
    "add, import, edit, delete, clear, rescore, link and group sync change the log, one\n"
    "  program at a time: while another program has the log open they refuse at once, or wait up "
    "to\n"
    "  --wait SECONDS for it to close; the other commands only read the log and change no\n"
    "  file of DIR but the one --out names.\n"
    "station keys: call, country, itu, cq, cont, lat, long, state; call fills country,\n"
    "  zones, continent and position from the country file, country fills the rest from\n"
    "  that country, and the other keys correct what was filled; itu is 1 to 90, cq 1 to\n"
    "  40, lat -90 to 90 and long -180 to 180 (decimal degrees; long counts west positive,\n"
    "  as the country file does, where the station dialog shows east positive), or empty\n";

int Run(int argc, char** argv) {
  CliContext cli;
  CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), cli);
  if (line.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (line.version) {
    PrintLine("mirva-cli " + std::string(ProgramVersion()));
    return 0;
  }
  const std::string& command = line.command;
  for (const CommandEntry& entry : kCommands) {
    if (command == entry.name)
      return entry.run(cli);
  }
  throw UsageError(command.empty() ? "no command given" : "unknown command '" + command + "'");
}

/// Writes out what standard output still buffers. A write that failed, now or earlier, fails
/// the run: output cut short is never success. A reader that went away (EPIPE) counts the
/// same; with SIGPIPE at its default the process has ended before this.
int FinishOutput(int status) {
  bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout))
    return status;
  std::string reason = flushed ? "" : std::string(": ") + std::strerror(errno);
  std::fprintf(stderr, "mirva-cli: the output could not be written to standard output%s\n",
               reason.c_str());
  return 1;
}

}  // namespace
}  // namespace mirva

int main(int argc, char** argv) {
  std::vector<std::string> words = mirva::ConsoleArguments(argc, argv);
  std::vector<char*> word_pointers;
  for (std::string& word : words)
    word_pointers.push_back(word.data());
  word_pointers.push_back(nullptr);
  try {
    return mirva::FinishOutput(mirva::Run(static_cast<int>(words.size()), word_pointers.data()));
  } catch (const mirva::UsageError& e) {
    std::fprintf(stderr, "mirva-cli: %s\n%s", e.what(), mirva::kUsage);
    return 2;
  } catch (const std::exception& e) {
    // The error is told; output the command could not finish adds nothing to it.
    std::fprintf(stderr, "mirva-cli: %s\n", mirva::Cp1251ToUtf8(e.what()).c_str());
    return 1;
  }
}
