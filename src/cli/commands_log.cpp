#include <tuple>

#include "cli.h"
#include "log/date_value.h"
#include "log/input_rule.h"
#include "session/session.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

/// The position in the log (from 0) of QSO number `text` (from 1).
std::size_t QsoIndex(const std::string& text, const Session& session) {
  std::size_t size = session.log().QSOLog().size();
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    throw UsageError("'" + Cp1251ToUtf8(text) + "' is not a QSO number");
  std::size_t number = std::stoul(text);
  if (number < 1 || number > size)
    throw std::runtime_error("There is no QSO number " + text + "; the log holds " +
                             std::to_string(size) + " QSOs");
  return number - 1;
}

}  // namespace

int RunList(CliContext& cli) {
  cli.RequireNoMoreArgs("list");
  Session& session = cli.OpenSession();
  std::size_t number = 0;
  for (const TQSOData& q : session.log().QSOLog())
    PrintLine(QsoLine(++number, q));
  return 0;
}

int RunEdit(CliContext& cli) {
  std::optional<std::string> date = cli.TakeOption("--date");
  std::optional<std::string> time = cli.TakeOption("--time");
  std::optional<std::string> band = cli.TakeOption("--band");
  std::optional<std::string> mode = cli.TakeOption("--mode");
  const std::tuple<const char*, std::string TQSOData::*, const InputField&> texts[] = {
      {"--call", &TQSOData::Call, kCallInput},
      {"--rst-s", &TQSOData::RprtSent, kRprtSentInput},
      {"--sent", &TQSOData::NumberSent, kNumberSentInput},
      {"--rst-r", &TQSOData::RprtRcvd, kRprtRcvdInput},
      {"--rcvd", &TQSOData::NumberRcvd, kNumberRcvdInput},
      {"--note", &TQSOData::Note, kNoteInput}};
  std::vector<std::pair<std::string TQSOData::*, std::string>> given;
  for (const auto& [name, member, field] : texts) {
    if (std::optional<std::string> value = TakeInputOption(cli, name, field))
      given.emplace_back(member, *value);
  }
  cli.RequireNoMoreArgs("edit", 1);
  if (cli.args.size() != 1)
    throw UsageError("edit takes one QSO number N and the fields to change");
  Session& session = cli.OpenWriterContestSession();
  std::size_t index = QsoIndex(cli.args[0], session);

  TQSOData edited = session.log().QSOLog()[index];
  if (date) {
    std::optional<double> value = ParseIsoDate(*date);
    if (!value)
      throw UsageError("--date takes YYYY-MM-DD, not '" + Cp1251ToUtf8(*date) + "'");
    edited.QSODate = *value;
  }
  if (time) {
    std::optional<std::string> value = ParseTimeOfDay(*time);
    if (!value)
      throw UsageError("--time takes HH:MM, not '" + Cp1251ToUtf8(*time) + "'");
    edited.QSOTime = *value;
  }
  if (band) {
    RequireOneOf(band, session.Contest().Bands, "band");
    edited.Band = *band;
  }
  if (mode) {
    RequireOneOf(mode, session.Contest().Modes, "mode");
    edited.Mode = *mode;
  }
  // The edit window shows every field but the note in upper case.
  for (const auto& [member, value] : given)
    edited.*member = member == &TQSOData::Note ? value : UpperCase(value);
  session.EditQso(index, edited);
  PrintLine(QsoLine(index + 1, session.log().QSOLog()[index]));
  return 0;
}

int RunDelete(CliContext& cli) {
  cli.RequireNoMoreArgs("delete", 1);
  if (cli.args.size() != 1)
    throw UsageError("delete takes one QSO number N");
  Session& session = cli.OpenWriterSession();
  session.DeleteQso(QsoIndex(cli.args[0], session));
  return 0;
}

int RunClear(CliContext& cli) {
  bool yes = cli.TakeFlag("--yes");
  cli.RequireNoMoreArgs("clear");
  if (!yes)
    throw UsageError("clear empties the whole log; give --yes to do it");
  cli.OpenWriterSession().ClearLog();
  return 0;
}

}  // namespace mirva
