// Reads arbitrary bytes as a mirva-cli command line, one word a line, then takes the options
// of every command from its words as the commands do, and checks that the words in
// Windows-1251 stay in step with the words as typed, that a value the input rule took passes
// it, and that nothing that looks like an option is left once the words are all accepted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli.h"
#include "command_line.h"
#include "fuzz_check.h"
#include "log/input_rule.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace {

struct InputOption {
  const char* name;
  const mirva::InputField& field;
};

constexpr InputOption kInputOptions[] = {
    {"--call", mirva::kCallInput},       {"--rst-s", mirva::kRprtSentInput},
    {"--sent", mirva::kNumberSentInput}, {"--rst-r", mirva::kRprtRcvdInput},
    {"--rcvd", mirva::kNumberRcvdInput}, {"--note", mirva::kNoteInput},
};
constexpr const char* kOptions[] = {"--at",   "--band", "--mode",  "--time",  "--date",
                                    "--wait", "--name", "--class", "--period"};
constexpr const char* kRepeated[] = {"--address", "--soapbox", "--equipment", "--comments"};

void CheckInStep(const mirva::CliContext& cli) {
  for (std::size_t i = 0; i < cli.args.size(); ++i)
    mirva_fuzz::Check(mirva::Utf8ToCp1251(cli.PathArg(i)) == cli.args[i]);
}

/// Takes every option a command takes, as the commands do, then accepts any number of words.
void TakeOptions(mirva::CliContext& cli) {
  (void)cli.TakeFlag("--yes");
  CheckInStep(cli);
  for (const InputOption& option : kInputOptions) {
    if (std::optional<std::string> value = mirva::TakeInputOption(cli, option.name, option.field))
      mirva_fuzz::Check(mirva::CheckInputText(option.field, *value).fault ==
                        mirva::InputFault::kNone);
    CheckInStep(cli);
  }
  for (const char* name : kOptions) {
    (void)cli.TakeOption(name);
    CheckInStep(cli);
  }
  (void)cli.TakePathOption("--out");
  for (const char* name : kRepeated) {
    (void)cli.TakeRepeatedOption(name);
    CheckInStep(cli);
  }
  cli.RequireNoMoreArgs("fuzz", mirva::kAnyNumber);
  for (const std::string& arg : cli.args)
    mirva_fuzz::Check(!arg.starts_with("--"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  for (std::string_view line : mirva::SplitLines(text))
    words.emplace_back(line);
  mirva::CliContext cli;
  try {
    mirva::CommandLine line = mirva::ParseCommandLine(words, cli);
    if (line.help)
      return 0;
    mirva_fuzz::Check(!line.command.empty() || cli.args.empty());
    CheckInStep(cli);
    TakeOptions(cli);
  } catch (const mirva::UsageError&) {
  }
  return 0;
}
