#include <charconv>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "cli.h"
#include "reference/band_choice.h"
#include "session/session.h"
#ifdef MIRVA_HAVE_HAMLIB
#include "hamlib_radio.h"
#endif

namespace mirva {

namespace {

constexpr std::chrono::milliseconds kAnswerTimeout{2000};

/// The option's value as a whole number from `min` on; a UsageError otherwise.
int NumberOption(const std::string& text, int min, const char* option) {
  int value = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min)
    throw UsageError(std::string(option) + " must be a whole number from " + std::to_string(min) +
                     ", not '" + text + "'");
  return value;
}

/// Hz as kHz with three decimals.
std::string Kilohertz(std::int64_t hz) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(hz / 1000),
                static_cast<long long>(hz % 1000));
  return text;
}

RadioReading AskRadio(const RadioSettings& settings) {
#ifdef MIRVA_HAVE_HAMLIB
  return HamlibRadio(settings, kAnswerTimeout).Read();
#else
  (void)settings;
  throw std::runtime_error("radio is not available: this mirva-cli was built without Hamlib");
#endif
}

}  // namespace

int RunRadio(CliContext& cli) {
  std::optional<std::string> model = cli.TakeOption("--model");
  std::optional<std::string> port = cli.TakeOption("--port");
  std::optional<std::string> speed = cli.TakeOption("--speed");
  cli.RequireNoMoreArgs("radio");
  if (port && port->empty())
    throw UsageError("--port needs a serial device or HOST:PORT");
  Session& session = cli.OpenSession();
  RadioSettings settings = cli.radio;
  if (model)
    settings.model = NumberOption(*model, 1, "--model");
  if (port)
    settings.port = *port;
  if (speed)
    settings.speed = NumberOption(*speed, 0, "--speed");
  RadioReading reading = AskRadio(settings);
  if (!reading.Answered())
    throw std::runtime_error("the radio (" + RadioPlace(settings) +
                             ") does not answer: " + reading.error);
  PrintLine("Frequency: " + Kilohertz(reading.hz) + " kHz");
  PrintLine("Radio mode: " + reading.mode);
  if (!session.HasContest()) {
    PrintLine("Band and mode: none chosen without a contest");
    return 0;
  }
  const TContest& contest = session.Contest();
  BandModeChoice choice =
      ChooseBandMode(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)), reading,
                     contest.Bands, contest.Modes);
  PrintLine("Band: " + (choice.band.empty() ? "unchanged (no row of the band plan for a band "
                                              "of the contest holds the frequency)"
                                            : choice.band));
  PrintLine("Mode: " +
            (choice.mode.empty() ? "unchanged (not a mode of the contest)" : choice.mode));
  return 0;
}

}  // namespace mirva
